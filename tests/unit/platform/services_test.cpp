#include "platform/cddoor.h"
#include "platform/commandrunner.h"
#include "platform/diskspace.h"
#include "platform/iconextractor.h"
#include "platform/keyboardlayout.h"
#include "platform/keyboardleds.h"
#include "platform/opener.h"
#include "platform/platform.h"
#include "platform/pointer.h"
#include "platform/power.h"
#include "platform/recyclebin.h"
#include "platform/sound.h"
#include "platform/systeminfo.h"
#include "platform/volume.h"

#include <gtest/gtest.h>

#include "tempfolder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The services every platform must answer alike, asked through their interfaces only. What could harm the
// machine or the session (power actions, the pointer, lock keys, the layout, the CD tray, the recycle bin,
// sounds) is asked of recording stand-ins put in place through the Platform.

namespace {

TEST(SystemInfoContract, NamesFitTheirBuffersAndTheFoldersAreNamed)
{
    contract::TempFolder config;
    auto info = platform::SystemInfo::create({config.path(), {}});
    if (const auto user = info->userName()) {
        EXPECT_LE(user->size(), 27u) << *user;
    }
    if (const auto computer = info->computerName()) {
        EXPECT_LE(computer->size(), 15u) << *computer;
    }
    EXPECT_FALSE(info->systemDirectory().empty());
    EXPECT_FALSE(info->windowsDirectory().empty());
}

TEST(DiskSpaceContract, DrivesAreNamedAndTheirSizesAreSound)
{
    contract::TempFolder folder;
    auto disks = platform::DiskSpace::create({folder.path(), {}});
    for (const platform::Drive& drive : disks->drives()) {
        EXPECT_FALSE(drive.id.empty());
        EXPECT_FALSE(drive.name.empty()) << drive.id;
        // Only fixed drives are asked: an empty removable or optical drive may make the system ask the user.
        if (drive.kind != platform::DriveKind::Fixed)
            continue;
        const platform::DriveSize size = disks->size(drive.id);
        if (size.total < 0) {
            EXPECT_EQ(size.free, -1) << drive.id;
            continue;
        }
        EXPECT_GE(size.free, 0) << drive.id;
        EXPECT_LE(size.free, size.total) << drive.id;
    }
}

TEST(DiskSpaceContract, AFolderIsOnAListedDriveOrOnNone)
{
    contract::TempFolder folder;
    auto disks = platform::DiskSpace::create({folder.path(), {}});
    const std::string id = disks->driveOf(folder.path());
    if (id.empty())
        GTEST_SKIP() << "the temporary folder is on a file system that holds no user data";
    bool listed = false;
    for (const platform::Drive& drive : disks->drives())
        listed = listed || drive.id == id;
    EXPECT_TRUE(listed) << id;
    const platform::DriveSize size = disks->size(id);
    EXPECT_GT(size.total, 0) << id;
    EXPECT_GE(size.free, 0) << id;
    EXPECT_LE(size.free, size.total) << id;
}

TEST(DiskSpaceContract, NoSuchDriveHasNoSize)
{
    contract::TempFolder folder;
    auto disks = platform::DiskSpace::create({folder.path(), {}});
    const platform::DriveSize size = disks->size(folder.path() + "/no/such/drive");
    EXPECT_EQ(size.total, -1);
    EXPECT_EQ(size.free, -1);
}

// Writing back the word just read keeps both channels where they were (within the rounding of the device's
// own scale).
TEST(VolumeContract, TheWordReadWritesBackUnchanged)
{
    auto volume = platform::Volume::create({});
    const std::optional<std::uint32_t> word = volume->read();
    if (!word)
        GTEST_SKIP() << "no output device or sound server here";
    ASSERT_TRUE(volume->write(*word));
    const std::optional<std::uint32_t> again = volume->read();
    ASSERT_TRUE(again);
    const auto close = [](std::uint32_t a, std::uint32_t b) {
        return std::abs(int(a & 0xFFFF) - int(b & 0xFFFF)) <= 0x0300;
    };
    EXPECT_TRUE(close(*word, *again)) << std::hex << *word << " became " << *again;
    EXPECT_TRUE(close(*word >> 16, *again >> 16)) << std::hex << *word << " became " << *again;
}

// Names that name nothing start nothing and say so.
TEST(OpenerContract, NothingIsStartedForWhatNamesNothing)
{
    contract::TempFolder folder;
    auto opener = platform::Opener::create({folder.path(), {}});
    EXPECT_FALSE(opener->open(""));
    EXPECT_FALSE(opener->open(folder.path() + "/missing.txt"));
    EXPECT_FALSE(opener->open(folder.path() + "/missing folder/inner"));
}

TEST(CommandRunnerContract, NothingIsStartedForWhatNamesNoProgram)
{
    contract::TempFolder folder;
    auto runner = platform::CommandRunner::create({folder.path(), {}});
    const std::string missing = folder.path() + "/missing-program";
    for (const std::string& line :
         {std::string(), std::string("   "), missing, "\"" + missing + "\" --x", std::string("\"unfinished")})
        EXPECT_FALSE(runner->run(line)) << line;
    // A folder is no program either.
    EXPECT_FALSE(runner->run(folder.path()));
}

TEST(IconExtractorContract, NoIconWhereThereIsNoFileWithIcons)
{
    contract::TempFolder folder;
    auto extractor = platform::IconExtractor::create({folder.path(), {}});
    EXPECT_FALSE(extractor->extract("", 0));
    EXPECT_FALSE(extractor->extract(folder.path() + "/missing.ico", 0));
    const std::string text = folder.path() + "/plain.txt";
    std::ofstream(text, std::ios::binary) << "no icons in here";
    EXPECT_FALSE(extractor->extract(text, 0));
}

TEST(PlatformContract, EachServiceIsMadeOnceAndKeptForItsPlatform)
{
    contract::TempFolder config;
    platform::Platform platform({config.path(), {}});
    EXPECT_EQ(platform.context().configDir, config.path());
    platform::SystemInfo& first = platform.get<platform::SystemInfo>();
    EXPECT_EQ(&first, &platform.get<platform::SystemInfo>());
    EXPECT_EQ(first.windowsDirectory(), platform::SystemInfo::create({config.path(), {}})->windowsDirectory());
}

// Recording stand-ins for the services whose real effect would reach beyond the test.

struct Calls
{
    std::vector<std::string> log;
};

class RecordingPower final : public platform::Power
{
public:
    explicit RecordingPower(Calls& calls) : m_calls(calls) {}
    bool request(platform::PowerAction action) override
    {
        m_calls.log.push_back("power " + std::to_string(int(action)));
        return true;
    }

private:
    Calls& m_calls;
};

class RecordingPointer final : public platform::Pointer
{
public:
    explicit RecordingPointer(Calls& calls) : m_calls(calls) {}
    void setSpeed(int speed) override { m_calls.log.push_back("speed " + std::to_string(speed)); }
    void swapButtons(bool swapped) override { m_calls.log.push_back(swapped ? "swap on" : "swap off"); }

private:
    Calls& m_calls;
};

class RecordingLeds final : public platform::KeyboardLeds
{
public:
    explicit RecordingLeds(Calls& calls) : m_calls(calls) {}
    void toggleLight(int key) override { m_calls.log.push_back("light " + std::to_string(key)); }
    void endShow() override { m_calls.log.push_back("show ended"); }

private:
    Calls& m_calls;
};

class RecordingLayout final : public platform::KeyboardLayout
{
public:
    explicit RecordingLayout(Calls& calls) : m_calls(calls) {}
    void activate(const std::string& layoutId) override { m_calls.log.push_back("layout " + layoutId); }

private:
    Calls& m_calls;
};

class RecordingDoor final : public platform::CdDoor
{
public:
    explicit RecordingDoor(Calls& calls) : m_calls(calls) {}
    bool open() override
    {
        m_calls.log.push_back("door open");
        return true;
    }
    bool close() override
    {
        m_calls.log.push_back("door close");
        return true;
    }

private:
    Calls& m_calls;
};

class RecordingBin final : public platform::RecycleBin
{
public:
    explicit RecordingBin(Calls& calls) : m_calls(calls) {}
    bool empty() override
    {
        m_calls.log.push_back("bin empty");
        return true;
    }

private:
    Calls& m_calls;
};

class RecordingSound final : public platform::Sound
{
public:
    explicit RecordingSound(Calls& calls) : m_calls(calls) {}
    void errorBeep() override { m_calls.log.push_back("error beep"); }
    void beep(int frequency, int durationMs) override
    {
        m_calls.log.push_back("beep " + std::to_string(frequency) + " " + std::to_string(durationMs));
    }
    void playFile(const std::string& path) override { m_calls.log.push_back("play " + path); }

private:
    Calls& m_calls;
};

// A stand-in put in place answers every later request, before or after the real service was made, and the real
// action never runs.
TEST(PlatformContract, HarmfulServicesAnswerThroughTheirStandIns)
{
    contract::TempFolder config;
    platform::Platform platform({config.path(), {}});
    Calls calls;
    platform.replace<platform::Power>(std::make_shared<RecordingPower>(calls));
    platform.replace<platform::Pointer>(std::make_shared<RecordingPointer>(calls));
    platform.replace<platform::KeyboardLeds>(std::make_shared<RecordingLeds>(calls));
    platform.replace<platform::KeyboardLayout>(std::make_shared<RecordingLayout>(calls));
    platform.replace<platform::CdDoor>(std::make_shared<RecordingDoor>(calls));
    platform.replace<platform::RecycleBin>(std::make_shared<RecordingBin>(calls));
    platform.replace<platform::Sound>(std::make_shared<RecordingSound>(calls));

    EXPECT_TRUE(platform.get<platform::Power>().request(platform::PowerAction::PowerOff));
    platform.get<platform::Pointer>().setSpeed(20);
    platform.get<platform::Pointer>().swapButtons(true);
    platform.get<platform::KeyboardLeds>().toggleLight(144);
    platform.get<platform::KeyboardLeds>().endShow();
    platform.get<platform::KeyboardLayout>().activate("00000419");
    EXPECT_TRUE(platform.get<platform::CdDoor>().open());
    EXPECT_TRUE(platform.get<platform::CdDoor>().close());
    EXPECT_TRUE(platform.get<platform::RecycleBin>().empty());
    platform.get<platform::Sound>().errorBeep();
    platform.get<platform::Sound>().beep(440, 100);
    platform.get<platform::Sound>().playFile(config.path() + "/ding.wav");

    const std::vector<std::string> expected{"power " + std::to_string(int(platform::PowerAction::PowerOff)),
                                            "speed 20",
                                            "swap on",
                                            "light 144",
                                            "show ended",
                                            "layout 00000419",
                                            "door open",
                                            "door close",
                                            "bin empty",
                                            "error beep",
                                            "beep 440 100",
                                            "play " + config.path() + "/ding.wav"};
    EXPECT_EQ(calls.log, expected);

    // A second stand-in replaces the first.
    Calls later;
    platform.replace<platform::Power>(std::make_shared<RecordingPower>(later));
    EXPECT_TRUE(platform.get<platform::Power>().request(platform::PowerAction::LogOff));
    EXPECT_EQ(later.log, std::vector<std::string>{"power " + std::to_string(int(platform::PowerAction::LogOff))});
    EXPECT_EQ(calls.log.size(), expected.size());
}

} // namespace
