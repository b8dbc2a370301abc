#include "filebytes.h"
#include "platform/inifiles.h"
#include "platform/linux/livesystem.h"
#include "platform/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using platform::Hive;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class RegistryTest : public ::testing::Test
{
protected:
    std::shared_ptr<platform::Registry> open()
    {
        return platform::Registry::create(
            {m_dir.path().toStdString(), [this](const std::string& message) { m_messages.push_back(message); }});
    }
    std::string dir() const { return m_dir.path().toStdString(); }
    std::string file() const { return dir() + "/registry.reg"; }

    QTemporaryDir m_dir;
    std::vector<std::string> m_messages;
};

const std::string kKey = "Software\\Windows\\Microsoft\\Policies\\CurrentVersion\\System\\Brund\\Trombus";

// A key written again under another spelling is found under its first one and stored once.
TEST_F(RegistryTest, KeyWrittenUnderAnotherSpellingIsStoredOnce)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software\\Брунд\\Trombus"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "SOFTWARE\\БРУНД\\trombus", "v", "1"));
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "software\\брунд\\TROMBUS\\Mark"));
    EXPECT_EQ(readBytes(file()).find("[HKEY_CURRENT_USER\\software"), std::string::npos)
        << "a key written again under another spelling must not be stored twice";
}

TEST_F(RegistryTest, EmptyKeysAreStoredAsSections)
{
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\Mark"));
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\MyProgi"));
    EXPECT_THAT(readBytes(file()), ::testing::HasSubstr("[HKEY_CURRENT_USER\\" + kKey + "\\MyProgi]\n"));
}

TEST_F(RegistryTest, SubkeysAreDirectChildrenOnly)
{
    auto registry = open();
    for (const char* key : {"Software\\A\\One", "Software\\A\\Two\\Deep", "Software\\B", "Software\\A\\one\\Deeper"})
        ASSERT_TRUE(registry->createKey(Hive::CurrentUser, key));
    // A type the desktop does not know: those it knows are answered live and not kept in the file.
    ASSERT_TRUE(registry->createKey(Hive::ClassesRoot, ".zzq-stored"));

    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, "Software\\A"), ElementsAre("One", "Two"));
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, "Software"), ElementsAre("A", "B"));
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, ""), ElementsAre("Software"));
    EXPECT_THAT(registry->subkeys(Hive::ClassesRoot, ""), ElementsAre(".zzq-stored"));
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, "Software\\B"), IsEmpty());
}

// As the registry lists them, also when the file holds them in another order (kept as they were made).
TEST_F(RegistryTest, SubkeysAreListedByNameWithoutRegardToCase)
{
    auto registry = open();
    for (const char* key : {"zeta", "Alpha", "мир", "mid", "Бор", "Beta", "0", "alpha\\x"})
        ASSERT_TRUE(registry->createKey(Hive::CurrentUser, std::string("Software\\Own\\") + key));
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, "Software\\Own"),
                ElementsAre("0", "Alpha", "Beta", "mid", "zeta", "Бор", "мир"));
    EXPECT_THAT(readBytes(file()), ::testing::HasSubstr("Own\\zeta]\n\n[HKEY_CURRENT_USER\\Software\\Own\\Alpha]"));
}

TEST_F(RegistryTest, FileHasTheRegeditTextForm)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software\\Brund"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "Software\\Brund", "Запускалси", "1"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "Software\\Brund", "path", "C:\\a \"b\"\r\nc"));
    ASSERT_TRUE(registry->createKey(Hive::ClassesRoot, ".txt"));
    ASSERT_TRUE(registry->writeString(Hive::ClassesRoot, ".txt", "", "txtfile"));

    EXPECT_EQ(readBytes(file()), "Windows Registry Editor Version 5.00\n"
                                 "\n"
                                 "[HKEY_CURRENT_USER\\Software]\n"
                                 "\n"
                                 "[HKEY_CURRENT_USER\\Software\\Brund]\n"
                                 "\"Запускалси\"=\"1\"\n"
                                 "\"path\"=\"C:\\\\a \\\"b\\\"\\r\\nc\"\n"
                                 "\n"
                                 "[HKEY_CLASSES_ROOT\\.txt]\n"
                                 "@=\"txtfile\"\n"
                                 "\n");
}

TEST_F(RegistryTest, ConfigFolderIsCreatedOnFirstWrite)
{
    auto registry = platform::Registry::create({dir() + "/not/yet/there", {}});
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, "Software"));
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software"));
    EXPECT_TRUE(std::filesystem::exists(dir() + "/not/yet/there/registry.reg"));
}

TEST_F(RegistryTest, ValuesOfOtherTypesAreKeptButNotReadAsText)
{
    const std::string original = "Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_CURRENT_USER\\Software\\X]\n"
                                 "\"count\"=dword:0000002a\n"
                                 "\"blob\"=hex:01,02,03,\\\n"
                                 "  04,05\n"
                                 "\"text\"=\"t\"\n";
    writeBytes(file(), original);
    auto registry = open();
    EXPECT_EQ(registry->readString(Hive::CurrentUser, "Software\\X", "count"), std::nullopt);
    EXPECT_TRUE(registry->valueExists(Hive::CurrentUser, "Software\\X", "count"));
    EXPECT_THAT(registry->valueNames(Hive::CurrentUser, "Software\\X"), ElementsAre("count", "blob", "text"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "Software\\X", "text", "u"));

    const std::string rewritten = readBytes(file());
    EXPECT_THAT(rewritten, ::testing::HasSubstr("\"count\"=dword:0000002a\n\"blob\"=hex:01,02,03,\\\n  04,05\n"));
    EXPECT_THAT(m_messages, IsEmpty());

    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "Software\\X", "COUNT", "now text"));
    EXPECT_EQ(open()->readString(Hive::CurrentUser, "Software\\X", "count"), "now text");
}

TEST_F(RegistryTest, UnreadableFileIsNeverReplaced)
{
    // A folder where the file should be cannot be read whatever the rights the tests run with (CI runs them
    // as root, who reads any file). Nothing of it may be replaced or moved aside.
    std::filesystem::create_directories(file());
    writeBytes(file() + "/keep", "user data");
    auto registry = open();
    EXPECT_FALSE(registry->createKey(Hive::CurrentUser, "Software\\New"));
    EXPECT_FALSE(registry->writeString(Hive::CurrentUser, kKey, "name", "value"));
    EXPECT_TRUE(std::filesystem::is_directory(file()));
    EXPECT_EQ(readBytes(file() + "/keep"), "user data");
    EXPECT_THAT(m_messages, IsEmpty());
}

TEST_F(RegistryTest, LiveSystemAnswersHostNameAndProcessor)
{
    auto registry = open();
    const std::string computerKey = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
    EXPECT_EQ(registry->readString(Hive::LocalMachine, computerKey, "computername"), platform::detail::hostName());
    EXPECT_TRUE(registry->keyExists(Hive::LocalMachine, "system\\CurrentControlSet\\Control"));
    EXPECT_THAT(registry->subkeys(Hive::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor"),
                ElementsAre("0"));
    EXPECT_EQ(registry->readString(Hive::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                                   "ProcessorNameString"),
              platform::detail::processorName());
    EXPECT_EQ(registry->readString(Hive::CurrentUser, computerKey, "ComputerName"), std::nullopt);

    // Other values beside the live ones are stored in the file as usual.
    ASSERT_TRUE(registry->writeString(Hive::LocalMachine, computerKey, "Other", "1"));
    EXPECT_EQ(open()->readString(Hive::LocalMachine, computerKey, "other"), "1");
}

pid_t spawnWriter(const std::string& dir, const std::string& prefix, int count, const char* store = nullptr)
{
    std::string program = REGISTRY_WRITER;
    std::string countText = std::to_string(count);
    std::vector<char*> argv{program.data(), const_cast<char*>(dir.c_str()), const_cast<char*>(prefix.c_str()),
                            countText.data()};
    if (store)
        argv.push_back(const_cast<char*>(store));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kCount = 80;
    const pid_t first = spawnWriter(dir(), "first", kCount);
    const pid_t second = spawnWriter(dir(), "second", kCount);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitFor(first), 0);
    EXPECT_EQ(waitFor(second), 0);

    auto fresh = open();
    const std::vector<std::string> names = fresh->valueNames(Hive::CurrentUser, "Software\\Shared");
    EXPECT_EQ(names.size(), std::size_t(2 * kCount));
    EXPECT_EQ(fresh->subkeys(Hive::CurrentUser, "Software\\Own").size(), std::size_t(2 * kCount));
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < kCount; ++i) {
            const std::string name = std::string(prefix) + "-" + std::to_string(i);
            EXPECT_EQ(fresh->readString(Hive::CurrentUser, "Software\\Shared", name), std::to_string(i)) << name;
        }
    }
    EXPECT_THAT(m_messages, IsEmpty());
}

// The same for INI files: two copies writing different keys of one section, and sections of their own, keep
// every key of the other.
TEST_F(RegistryTest, TwoProcessesWritingOneIniFileAtOnceLoseNothing)
{
    constexpr int kCount = 80;
    const pid_t first = spawnWriter(dir(), "first", kCount, "ini");
    const pid_t second = spawnWriter(dir(), "second", kCount, "ini");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitFor(first), 0);
    EXPECT_EQ(waitFor(second), 0);

    auto ini = platform::IniFiles::create({dir(), {}});
    EXPECT_EQ(ini->keys("start.ini", "Shared").size(), std::size_t(2 * kCount));
    EXPECT_EQ(ini->sections("start.ini").size(), std::size_t(2 * kCount + 1));
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < kCount; ++i) {
            const std::string name = std::string(prefix) + "-" + std::to_string(i);
            EXPECT_EQ(ini->read("start.ini", "Shared", name, "lost"), std::to_string(i)) << name;
            EXPECT_EQ(ini->read("start.ini", name, "own", "lost"), std::to_string(i)) << name;
        }
    }
}

} // namespace