#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>
#include <vector>

#include "platform/cddoor.h"
#include "platform/linux/drivedoor.h"

namespace {

using platform::DriveDoor;

// Device files as a folder holds them, and which of them is the first optical drive.
struct DriveCase
{
    const char* label;
    std::vector<const char*> files;
    std::vector<const char*> links;
    const char* expected;
};

void PrintTo(const DriveCase& row, std::ostream* out)
{
    *out << row.label;
}

class FirstDriveTest : public testing::TestWithParam<DriveCase>
{
protected:
    QTemporaryDir m_dev;
};

TEST_P(FirstDriveTest, FindsTheFirstOpticalDrive)
{
    ASSERT_TRUE(m_dev.isValid());
    const DriveCase& row = GetParam();
    for (const char* name : row.files) {
        QFile file(m_dev.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Links as "name=target", the target relative to the folder, as udev makes them.
    for (const char* link : row.links) {
        const QStringList parts = QString::fromUtf8(link).split(QLatin1Char('='));
        ASSERT_TRUE(QFile::link(parts[1], m_dev.filePath(parts[0])));
    }
    const std::string expected = *row.expected ? m_dev.filePath(QString::fromUtf8(row.expected)).toStdString() : "";
    EXPECT_EQ(DriveDoor::firstDrive(m_dev.path().toStdString()), expected);
}

INSTANTIATE_TEST_SUITE_P(Folders, FirstDriveTest,
                         testing::Values(DriveCase{"NoDrive", {"sda", "sda1", "tty0"}, {}, ""},
                                         DriveCase{"LowestScsiNumber", {"sr1", "sr0"}, {}, "sr0"},
                                         DriveCase{"NumbersCompareAsNumbers", {"sr10", "sr2"}, {}, "sr2"},
                                         DriveCase{"CdromLinkFirst", {"sr0", "sr1"}, {"cdrom=sr1"}, "cdrom"},
                                         DriveCase{"BrokenCdromLinkIsSkipped", {"sr3"}, {"cdrom=sr9"}, "sr3"},
                                         DriveCase{"OnlyDigitsAfterSr", {"sr", "srx", "sr1a", "sr-1"}, {}, ""}),
                         [](const testing::TestParamInfo<DriveCase>& info) { return std::string(info.param.label); });

TEST(DriveDoorTest, MissingFolderHasNoDrive)
{
    EXPECT_EQ(DriveDoor::firstDrive("/nonexistent/dev"), "");
}

TEST(DriveDoorTest, RequestsGoOnlyToBlockDevices)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("sr0")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const std::string& device : {dir.filePath(QStringLiteral("sr0")).toStdString(), std::string("/dev/null"),
                                      dir.filePath(QStringLiteral("missing")).toStdString()}) {
        EXPECT_FALSE(DriveDoor::send(device, DriveDoor::Request::Open)) << device;
        EXPECT_FALSE(DriveDoor::send(device, DriveDoor::Request::Close)) << device;
    }
}

TEST(DriveDoorTest, WithoutADriveTheDoorRequestsReturnQuietly)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    DriveDoor empty(dev.path().toStdString());
    EXPECT_FALSE(empty.open());
    EXPECT_FALSE(empty.close());

    // A folder where the drive's name leads to something that is not a drive.
    QFile notADrive(dev.filePath(QStringLiteral("sr0")));
    ASSERT_TRUE(notADrive.open(QIODevice::WriteOnly));
    notADrive.close();
    DriveDoor fake(dev.path().toStdString());
    EXPECT_FALSE(fake.open());
    EXPECT_FALSE(fake.close());
}

TEST(DriveDoorTest, TheMachinesDoorIsQuietWithoutADrive)
{
    if (!DriveDoor::firstDrive("/dev").empty())
        GTEST_SKIP() << "this machine has an optical drive, whose tray the test leaves alone";
    const std::shared_ptr<platform::CdDoor> door = platform::CdDoor::create(platform::Context{});
    EXPECT_FALSE(door->open());
    EXPECT_FALSE(door->close());
}

} // namespace
