#include "platform/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scratchkey.h"
#include "tempfolder.h"

#include <filesystem>
#include <thread>

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
            {m_dir.path(), [this](const std::string& message) { m_messages.push_back(message); }});
    }
    std::string dir() const { return m_dir.path(); }
    std::string file() const { return dir() + "/registry.reg"; }
    /// A path under this test's own key of the current user's hive; the key itself for an empty path.
    std::string key(const std::string& path = {}) const
    {
        return path.empty() ? m_root.path() : m_root.path() + "\\" + path;
    }

    contract::TempFolder m_dir;
    contract::ScratchKey m_root;
    std::vector<std::string> m_messages;
    const std::string kKey = key("Software\\Windows\\Microsoft\\Policies\\CurrentVersion\\System\\Brund\\Trombus");
};

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
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey), contract::inWriteOrder({"before", text.name, "after"}));
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
    const std::string odd = key("Ключ с пробелом\\[скобки]\\semi;colon");
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, odd));
    auto fresh = open();
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, odd));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, key()), ElementsAre("Ключ с пробелом"));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, key("Ключ с пробелом")), ElementsAre("[скобки]"));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, key("Ключ с пробелом\\[скобки]")), ElementsAre("semi;colon"));
}

TEST_F(RegistryTest, KeyNamesWithLineBreaksAreRefused)
{
    auto registry = open();
    EXPECT_FALSE(registry->createKey(Hive::CurrentUser, key("two\nlines")));
    EXPECT_FALSE(registry->createKey(Hive::CurrentUser, key("carriage\rreturn\\below")));
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, key()));
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
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey), contract::inWriteOrder({"Запускалси", "Color"}));
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "запускалси"), "2");
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, kKey, "COLOR"), "4");
    EXPECT_TRUE(fresh->valueExists(Hive::CurrentUser, kKey, "зАПУСКАЛСИ"));
    EXPECT_TRUE(fresh->deleteValue(Hive::CurrentUser, kKey, "ЗАПУСКАЛСИ"));
    EXPECT_FALSE(fresh->valueExists(Hive::CurrentUser, kKey, "Запускалси"));
}

TEST_F(RegistryTest, KeyPathsCompareWithoutCase)
{
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, key("Software\\Брунд\\Trombus")));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, key("SOFTWARE\\БРУНД\\trombus"), "v", "1"));
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, key("software\\брунд\\TROMBUS\\Mark")));

    auto fresh = open();
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, key("Software\\брунд\\Trombus"), "v"), "1");
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, key("software")), ElementsAre("Брунд"));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, key("Software\\Брунд\\Trombus")), ElementsAre("Mark"));
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
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey),
                contract::inWriteOrder({"str", "color", "Запускалси", "left"}));
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
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, key()));
    EXPECT_FALSE(std::filesystem::exists(file()));

    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, key()));
    EXPECT_FALSE(registry->deleteValue(Hive::CurrentUser, key(), "x"));
    EXPECT_EQ(registry->readString(Hive::CurrentUser, key(), "x"), std::nullopt);
}

TEST_F(RegistryTest, CreateKeyCreatesParentsAndEmptyKeysSurvive)
{
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\Mark"));
    ASSERT_TRUE(open()->createKey(Hive::CurrentUser, kKey + "\\MyProgi"));

    auto fresh = open();
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, key("Software")));
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, kKey));
    EXPECT_TRUE(fresh->keyExists(Hive::CurrentUser, kKey + "\\Mark"));
    EXPECT_FALSE(fresh->keyExists(Hive::LocalMachine, kKey));
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, kKey), ElementsAre("Mark", "MyProgi"));
    EXPECT_THAT(fresh->valueNames(Hive::CurrentUser, kKey + "\\Mark"), IsEmpty());
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
} // namespace
