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

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

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

struct StoredText
{
    const char* label;
    std::string name;
    std::string data;
};

void PrintTo(const StoredText& param, std::ostream* out)
{
    *out << param.label;
}

class RegistryRoundTrip : public RegistryTest, public ::testing::WithParamInterface<StoredText>
{
};

TEST_P(RegistryRoundTrip, FreshInstanceReadsBackExactly)
{
    const StoredText& text = GetParam();
    {
        auto registry = open();
        ASSERT_TRUE(registry->createKey(Hive::CurrentUser, kKey));
        ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "before", "x"));
        ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, text.name, text.data));
        ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "after", "y"));
    }
    auto fresh = open();
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, text.name), text.data);
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey), ElementsAre("before", text.name, "after"));
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "after"), "y");
    EXPECT_THAT(m_messages, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RegistryRoundTrip,
    ::testing::Values(StoredText{"Cyrillic", "Запускалси", "Привет, мир! Ёё"},
                      StoredText{"Quotes", "say \"hi\"", "\"quoted\" and \"\""},
                      StoredText{"Backslashes", "a\\b", "C:\\Program Files\\x\\\\y"},
                      StoredText{"TrailingBackslash", "dir\\", "C:\\Windows\\"},
                      StoredText{"EscapeLookalikes", "n", "\\n is not a line break, \\\" nor \\r"},
                      StoredText{"LineFeed", "lines", "one\ntwo\n"}, StoredText{"CrLf", "crlf", "one\r\ntwo\r\n"},
                      StoredText{"LoneCr", "cr", "\rone\rtwo"}, StoredText{"Empty", "empty", ""},
                      StoredText{"DefaultValue", "", "default"},
                      StoredText{"Blanks", " spaced ", "  lead and trail  \t"},
                      StoredText{"LooksLikeSyntax", "[HKEY_CURRENT_USER\\x]", "\"a\"=\"b\"\n[HKEY_LOCAL_MACHINE]\n;x"},
                      StoredText{"AtSign", "@", "@=\"x\""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryTest, KeyPathsSurviveWithOddCharacters)
{
    const std::string key = "Software\\Ключ с пробелом\\[скобки]\\semi;colon";
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, key));
    auto fresh = open();
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, key));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, "Software\\Ключ с пробелом"), ElementsAre("[скобки]"));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, "Software\\Ключ с пробелом\\[скобки]"), ElementsAre("semi;colon"));
}

TEST_F(RegistryTest, KeyNamesWithLineBreaksAreRefused)
{
    auto registry = open();
    EXPECT_FALSE(registry->createKey(Hive::CurrentUser, "Software\\two\nlines"));
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, "Software"));
}

TEST_F(RegistryTest, ValueNamesCompareWithoutCaseAndKeepTheirFirstSpelling)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, kKey));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "Запускалси", "1"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "ЗАПУСКАЛСИ", "2"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "Color", "3"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "cOLOR", "4"));

    auto fresh = open();
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey), ElementsAre("Запускалси", "Color"));
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "запускалси"), "2");
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "COLOR"), "4");
    EXPECT_TRUE(fresh->valueExists(Hive::CurrentUser, kKey, "зАПУСКАЛСИ"));
    EXPECT_TRUE(fresh->deleteValue(Hive::CurrentUser, kKey, "ЗАПУСКАЛСИ"));
    EXPECT_FALSE(fresh->valueExists(Hive::CurrentUser, kKey, "Запускалси"));
}

TEST_F(RegistryTest, KeyPathsCompareWithoutCase)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software\\Брунд\\Trombus"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "SOFTWARE\\БРУНД\\trombus", "v", "1"));
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "software\\брунд\\TROMBUS\\Mark"));

    auto fresh = open();
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, "Software\\брунд\\Trombus", "v"), "1");
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, "software"), ElementsAre("Брунд"));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, "Software\\Брунд\\Trombus"), ElementsAre("Mark"));
    EXPECT_EQ(readBytes(file()).find("[HKEY_CURRENT_USER\\software"), std::string::npos)
        << "a key written again under another spelling must not be stored twice";
}

TEST_F(RegistryTest, ValuesKeepInsertionOrderAndARewriteStaysInPlace)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, kKey));
    for (const char* name : {"str", "color", "left", "Запускалси"})
        ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, name, "0"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "color", "4227072"));
    ASSERT_TRUE(registry->deleteValue(Hive::CurrentUser, kKey, "left"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, kKey, "left", "10"));

    auto fresh = open();
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey), ElementsAre("str", "color", "Запускалси", "left"));
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "color"), "4227072");
}

TEST_F(RegistryTest, MissingKeysAndValues)
{
    auto registry = open();
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, kKey));
    EXPECT_EQ(registry->readString(Hive::CurrentUser, kKey, "x"), std::nullopt);
    EXPECT_THAT(registry->valueNames(Hive::CurrentUser, kKey), IsEmpty());
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, kKey), IsEmpty());
    EXPECT_FALSE(registry->deleteValue(Hive::CurrentUser, kKey, "x"));
    EXPECT_FALSE(registry->writeString(Hive::CurrentUser, kKey, "x", "1")) << "the key must exist";
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, "Software"));
    EXPECT_FALSE(std::filesystem::exists(file()));

    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software"));
    EXPECT_FALSE(registry->deleteValue(Hive::CurrentUser, "Software", "x"));
    EXPECT_EQ(registry->readString(Hive::CurrentUser, "Software", "x"), std::nullopt);
}

TEST_F(RegistryTest, CreateKeyCreatesParentsAndEmptyKeysSurvive)
{
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\Mark"));
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\MyProgi"));

    auto fresh = open();
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, "Software"));
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, kKey));
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, kKey + "\\Mark"));
    EXPECT_FALSE(fresh->keyExists(Hive::LocalMachine, kKey));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, kKey), ElementsAre("Mark", "MyProgi"));
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey + "\\Mark"), IsEmpty());
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

TEST_F(RegistryTest, TwoInstancesWritingAtOnceLoseNothing)
{
    constexpr int kCount = 60;
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey));
    const auto writer = [this](const std::string& prefix) {
        auto registry = open();
        for (int i = 0; i < kCount; ++i)
            EXPECT_TRUE(registry->writeString(Hive::CurrentUser, kKey, prefix + std::to_string(i), std::to_string(i)));
    };
    std::thread first(writer, "first");
    std::thread second(writer, "second");
    first.join();
    second.join();

    auto fresh = open();
    EXPECT_EQ(fresh->valueNames(Hive::CurrentUser, kKey).size(), std::size_t(2 * kCount));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "first" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "second" + std::to_string(i)), std::to_string(i));
    }
}

pid_t spawnWriter(const std::string& dir, const std::string& prefix, int count)
{
    std::string program = REGISTRY_WRITER;
    std::string countText = std::to_string(count);
    std::vector<char*> argv{program.data(), const_cast<char*>(dir.c_str()), const_cast<char*>(prefix.c_str()),
                            countText.data(), nullptr};
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

} // namespace
