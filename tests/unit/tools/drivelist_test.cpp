#include <gtest/gtest.h>

#include "platform/linux/drivelist.h"
#include "platform/linux/xkbgroups.h"

namespace {

using platform::detail::Mount;

std::vector<std::string> ids(const std::vector<platform::Drive>& drives)
{
    std::vector<std::string> result;
    for (const platform::Drive& drive : drives)
        result.push_back(drive.id);
    return result;
}

TEST(DriveList, KeepsFileSystemsThatHoldUserData)
{
    const std::vector<Mount> mounts = {
        {"/", "overlay", "overlay", "", true},
        {"/proc", "proc", "proc", "", true},
        {"/dev/shm", "shm", "tmpfs", "", true},
        {"/etc/hosts", "/dev/sda1", "ext4", "", false},
        {"/home", "/dev/sda2", "ext4", "", true},
        {"/home/me/bind", "/dev/sda2", "ext4", "", true},
        {"/boot/efi", "/dev/sda3", "vfat", "", true},
        {"/snap/core/1", "/dev/loop0", "squashfs", "", true},
        {"/run/user/1000", "tmpfs", "tmpfs", "", true},
        {"/media/me/STICK", "/dev/sdb1", "vfat", "STICK", true},
        {"/mnt/share", "server:/share", "nfs4", "", true},
        {"/media/me/CD", "/dev/sr0", "iso9660", "CD", true},
    };
    const auto drives = platform::detail::userDrives(mounts);
    EXPECT_EQ(ids(drives), (std::vector<std::string>{"/", "/home", "/media/me/CD", "/media/me/STICK", "/mnt/share"}));
    EXPECT_EQ(drives[0].kind, platform::DriveKind::Fixed);
    EXPECT_EQ(drives[2].kind, platform::DriveKind::Optical);
    EXPECT_EQ(drives[3].kind, platform::DriveKind::Removable);
    EXPECT_EQ(drives[3].name, "STICK (/media/me/STICK)");
    EXPECT_EQ(drives[4].kind, platform::DriveKind::Network);
}

TEST(DriveList, DriveHoldingAPathIsTheDeepestRoot)
{
    const std::vector<platform::Drive> drives = {{"/", "/", {}}, {"/home", "/home", {}}, {"/ho", "/ho", {}}};
    EXPECT_EQ(platform::detail::driveHolding(drives, "/home/me/work"), "/home");
    EXPECT_EQ(platform::detail::driveHolding(drives, "/homework"), "/");
    EXPECT_EQ(platform::detail::driveHolding(drives, "/ho"), "/ho");
    EXPECT_EQ(platform::detail::driveHolding({}, "/x"), "");
}

struct GroupCase
{
    const char* symbols;
    const char* layout;
    int group;
};

class XkbGroups : public testing::TestWithParam<GroupCase>
{
};

TEST_P(XkbGroups, GroupOfLayout)
{
    EXPECT_EQ(platform::detail::xkbGroupOfLayout(GetParam().symbols, GetParam().layout), GetParam().group);
}

INSTANTIATE_TEST_SUITE_P(Symbols, XkbGroups,
                         testing::Values(GroupCase{"pc+us+ru:2+inet(evdev)+group(alt_shift_toggle)", "us", 0},
                                         GroupCase{"pc+us+ru:2+inet(evdev)+group(alt_shift_toggle)", "ru", 1},
                                         GroupCase{"pc+ru(winkeys)+us:2+inet(evdev)", "ru", 0},
                                         GroupCase{"pc+ru(winkeys)+us:2", "us", 1},
                                         GroupCase{"pc+us+inet(evdev)", "ru", -1},
                                         GroupCase{"pc+de+us:2+ru:3", "ru", 2}, GroupCase{"", "us", -1}));

TEST(XkbGroupNames, FallsBackToDescriptiveNames)
{
    const std::vector<std::string> names = {"English (US)", "Russian", ""};
    EXPECT_EQ(platform::detail::xkbGroupOfLayoutByNames(names, "us"), 0);
    EXPECT_EQ(platform::detail::xkbGroupOfLayoutByNames(names, "ru"), 1);
    EXPECT_EQ(platform::detail::xkbGroupOfLayoutByNames({"German"}, "ru"), -1);
}

} // namespace
