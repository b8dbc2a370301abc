#include "filebytes.h"
#include "platform/linux/livesystem.h"
#include "platform/linux/regfile.h"
#include "platform/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using platform::Hive;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ::testing::StartsWith;

struct FileText
{
    const char* label;
    std::string text;
};

void PrintTo(const FileText& param, std::ostream* out)
{
    *out << param.label;
}

template <typename Case> std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.label;
}

class AcceptedRegFile : public ::testing::TestWithParam<FileText>
{
};

// Every accepted variant holds HKEY_CURRENT_USER\Software\X with "a" = "b", however it is spelt.
TEST_P(AcceptedRegFile, Parses)
{
    const platform::detail::RegParseResult result = platform::detail::parseRegFile(GetParam().text);
    ASSERT_TRUE(result.document) << "line " << result.errorLine;
    ASSERT_THAT(result.document->keys, SizeIs(1));
    const platform::detail::RegKey& key = result.document->keys.front();
    EXPECT_THAT(key.path, ElementsAre("HKEY_CURRENT_USER", "Software", "X"));
    ASSERT_THAT(key.values, SizeIs(1));
    EXPECT_EQ(key.values.front().name, "a");
    EXPECT_EQ(key.values.front().data, "b");
    EXPECT_TRUE(key.values.front().isString);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, AcceptedRegFile,
    ::testing::Values(
        FileText{"Plain", "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\"\n"},
        FileText{"CrLf",
                 "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n\"a\"=\"b\"\r\n"},
        FileText{"ByteOrderMark",
                 "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\""},
        FileText{"CommentsAndBlankLines", "; saved by hand\n\nWindows Registry Editor Version 5.00\n\n\n; the key\n"
                                          "[HKEY_CURRENT_USER\\Software\\X]\n  ; a value\n\n\"a\"=\"b\"\n\n\n"},
        FileText{"BlanksAroundTokens",
                 "  Windows Registry Editor Version 5.00  \n\t[HKEY_CURRENT_USER\\Software\\X]  \n  \"a\" = \"b\"\t\n"},
        FileText{"ShortHiveName", "Windows Registry Editor Version 5.00\n[hkcu\\Software\\X]\n\"a\"=\"b\"\n"},
        FileText{"OldHeader", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\"\n"},
        FileText{"KeyListedTwice",
                 "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"z\"\n"
                 "[HKEY_CURRENT_USER\\software\\x]\n\"A\"=\"b\"\n"}),
    caseName<FileText>);

class RejectedRegFile : public ::testing::TestWithParam<FileText>
{
protected:
    std::shared_ptr<platform::Registry> open()
    {
        return platform::Registry::create(
            {m_dir.path().toStdString(), [this](const std::string& message) { m_messages.push_back(message); }});
    }
    std::string file() const { return m_dir.path().toStdString() + "/registry.reg"; }
    void putBrokenFile() { std::ofstream(file(), std::ios::binary) << GetParam().text; }
    std::vector<std::filesystem::path> brokenCopies() const
    {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path().toStdString())) {
            if (entry.path().filename().string().starts_with("registry.reg.broken-"))
                found.push_back(entry.path());
        }
        return found;
    }

    QTemporaryDir m_dir;
    std::vector<std::string> m_messages;
};

TEST_P(RejectedRegFile, ParserReportsTheLine)
{
    const platform::detail::RegParseResult result = platform::detail::parseRegFile(GetParam().text);
    EXPECT_FALSE(result.document);
    EXPECT_GT(result.errorLine, 0);
}

TEST_P(RejectedRegFile, WriteMovesItAsideAndStartsEmpty)
{
    putBrokenFile();
    auto registry = open();
    ASSERT_TRUE(registry->createKey(Hive::CurrentUser, "Software\\New"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "Software\\New", "v", "1"));

    const auto copies = brokenCopies();
    ASSERT_THAT(copies, SizeIs(1));
    EXPECT_EQ(readBytes(copies.front()), GetParam().text);
    ASSERT_THAT(m_messages, SizeIs(1));
    EXPECT_THAT(m_messages.front(), HasSubstr(file()));
    EXPECT_THAT(m_messages.front(), HasSubstr(copies.front().string()));

    auto fresh = open();
    EXPECT_THAT(fresh->subkeys(Hive::CurrentUser, ""), ElementsAre("Software"));
    EXPECT_EQ(fresh->readString(Hive::CurrentUser, "Software\\New", "v"), "1");
    EXPECT_THAT(m_messages, SizeIs(1));
}

TEST_P(RejectedRegFile, ReadMovesItAsideOnce)
{
    putBrokenFile();
    auto registry = open();
    EXPECT_THAT(registry->subkeys(Hive::CurrentUser, ""), IsEmpty());
    EXPECT_FALSE(registry->keyExists(Hive::CurrentUser, "Software"));
    EXPECT_THAT(brokenCopies(), SizeIs(1));
    EXPECT_THAT(m_messages, SizeIs(1));
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_P(RejectedRegFile, EarlierBrokenCopyIsNotOverwritten)
{
    putBrokenFile();
    EXPECT_FALSE(open()->keyExists(Hive::CurrentUser, "Software"));
    putBrokenFile();
    EXPECT_FALSE(open()->keyExists(Hive::CurrentUser, "Software"));
    const auto copies = brokenCopies();
    ASSERT_THAT(copies, SizeIs(2));
    for (const auto& copy : copies) {
        EXPECT_THAT(copy.filename().string(), StartsWith("registry.reg.broken-"));
        EXPECT_EQ(readBytes(copy), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, RejectedRegFile,
    ::testing::Values(
        FileText{"NoHeader", "[HKEY_CURRENT_USER\\Software\\X]\n\"a\"=\"b\"\n"},
        FileText{"ValueBeforeKey", "Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n"},
        FileText{"StrayText", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\nhello\n"},
        FileText{"UnterminatedString", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n"
                                       "\"a\"=\"line one\nline two\"\n"},
        FileText{"UnclosedKey", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X\n"},
        FileText{"EmptyKey", "Windows Registry Editor Version 5.00\n[\\]\n"},
        FileText{"NoEquals", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\" \"b\"\n"},
        FileText{"NoData", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=\n"},
        FileText{"TextAfterString", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\" c\n"},
        FileText{"BinaryJunk", std::string("\x00\x01\x02\xff garbage", 13)}),
    caseName<FileText>);

TEST(RegFileFormat, EscapesOnlyWhatTheParserNeeds)
{
    EXPECT_EQ(platform::detail::escapeRegString("a\\b\"c\nd\re\tЖ"), "a\\\\b\\\"c\\nd\\re\tЖ");
}

TEST(RegFileFormat, FormatThenParseIsTheSameDocument)
{
    platform::detail::RegDocument document;
    document.keys.push_back({{"HKEY_CURRENT_USER", "A b", "В"}, {{"", "d", true}, {"n\\\"", "x\r\n\\", true}}});
    document.keys.push_back({{"HKEY_LOCAL_MACHINE"}, {{"q", "dword:00000001", false}}});
    const std::string text = platform::detail::formatRegFile(document);
    const auto parsed = platform::detail::parseRegFile(text);
    ASSERT_TRUE(parsed.document);
    EXPECT_EQ(platform::detail::formatRegFile(*parsed.document), text);
    EXPECT_EQ(parsed.document->keys.at(0).values.at(1).data, "x\r\n\\");
}

struct RewriteCase
{
    const char* label;
    std::string text;
    /// The data of the first key's one value, or none when the value is dropped.
    std::optional<std::string> data;
    std::size_t keyCount = 1;
};

void PrintTo(const RewriteCase& param, std::ostream* out)
{
    *out << param.label;
}

class RegFileRewrite : public ::testing::TestWithParam<RewriteCase>
{
};

// The store rewrites the whole file on every change: the text it writes must read back to the same document.
TEST_P(RegFileRewrite, ReadsBackTheSame)
{
    const auto first = platform::detail::parseRegFile(GetParam().text);
    ASSERT_TRUE(first.document) << "line " << first.errorLine;
    ASSERT_THAT(first.document->keys, SizeIs(GetParam().keyCount));
    const auto& values = first.document->keys.front().values;
    if (GetParam().data) {
        ASSERT_THAT(values, SizeIs(1));
        EXPECT_EQ(values.front().data, *GetParam().data);
        EXPECT_FALSE(values.front().isString);
    } else {
        EXPECT_THAT(values, IsEmpty());
    }

    const std::string written = platform::detail::formatRegFile(*first.document);
    const auto second = platform::detail::parseRegFile(written);
    ASSERT_TRUE(second.document) << "line " << second.errorLine << " of\n" << written;
    EXPECT_EQ(platform::detail::formatRegFile(*second.document), written);
    EXPECT_THAT(second.document->keys, SizeIs(GetParam().keyCount));
}

const std::string kRegHead = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\X]\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileRewrite,
    ::testing::Values(
        RewriteCase{"HexOnSeveralLinesKept", kRegHead + "\"v\"=hex:00,\\\r\n  01\r\n", "hex:00,\\\n  01"},
        RewriteCase{"ContinuationCutOffByEndOfFile", kRegHead + "\"v\"=hex:00,01,\\\n", "hex:00,01,"},
        RewriteCase{"ContinuationIntoBlankLine", kRegHead + "\"v\"=hex:00,\\\n\n", "hex:00,"},
        RewriteCase{"SeveralMarksCutOff", kRegHead + "\"v\"=hex:00,\\\\ \\\n  \\", "hex:00,"},
        RewriteCase{"NothingButAMarkIsDropped", kRegHead + "\"v\"=\\\n", std::nullopt},
        RewriteCase{"CutOffContinuationDoesNotTakeTheNextKey",
                    "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n[HKEY_CURRENT_USER\\B]\n[HKEY_CURRENT_USER\\A]\n"
                    "\"v\"=hex:00,\\",
                    "hex:00,", 2},
        RewriteCase{"CarriageReturnsBeforeLineFeed", kRegHead + "\"v\"=dword:00000001\r\r\n", "dword:00000001"},
        RewriteCase{"CarriageReturnBeforeBlank", kRegHead + "\"v\"=dword:00000001\r \r\n", "dword:00000001"},
        RewriteCase{"CarriageReturnsBeforeLineFeedOfKey",
                    "Windows Registry Editor Version 5.00\r\r\n[HKEY_CURRENT_USER\\X]\r\r\n\"v\"=dword:1\r\r\n",
                    "dword:1"},
        RewriteCase{"CarriageReturnLeftAfterCutOffMarks",
                    std::string("\n\t\tREGEDIT4\n\n[\xCA]\n\n@=\xFF\xFF\tRGEDIT4[\xCA]\n\n@="
                                "\xFF\xFF\tRGEDIT4\\\\\\\\\\\\\\\\\\\\\\\\\\\\\r\n\r\\\\\\\\\n\\\\\\\\"),
                    "\xFF\xFF\tRGEDIT4"}),
    caseName<RewriteCase>);

struct Expandable
{
    const char* label;
    std::string data;
    std::optional<std::string> text;
};

void PrintTo(const Expandable& param, std::ostream* out)
{
    *out << param.label;
}

class ExpandableString : public ::testing::TestWithParam<Expandable>
{
protected:
    QTemporaryDir m_dir;
};

// A Windows export keeps a string with variables as hex(2): it reads as its text, unexpanded, as the Windows
// registry gives it; other types and bytes that are no text read as no string, and a rewrite keeps the value.
TEST_P(ExpandableString, ReadsAsItsText)
{
    const std::string file = m_dir.path().toStdString() + "/registry.reg";
    std::ofstream(file, std::ios::binary) << kRegHead << "\"v\"=" << GetParam().data << "\n";
    auto registry = platform::Registry::create({m_dir.path().toStdString(), {}});
    EXPECT_EQ(registry->readString(Hive::CurrentUser, "X", "v"), GetParam().text);
    EXPECT_TRUE(registry->valueExists(Hive::CurrentUser, "X", "v"));
    ASSERT_TRUE(registry->writeString(Hive::CurrentUser, "X", "other", "1"));
    EXPECT_EQ(platform::Registry::create({m_dir.path().toStdString(), {}})->readString(Hive::CurrentUser, "X", "v"),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandableString,
    ::testing::Values(Expandable{"Variable", "hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00", "%TEMP%"},
                      Expandable{"CapitalPrefixAndDigits", "HEX(2):41,00,4A,04,00,00", "A\u044A"},
                      Expandable{"OnSeveralLines", "hex(2):16,04,\\\n  41,00,\\\r\n  00,00", "\u0416A"},
                      Expandable{"SurrogatePair", "hex(2):3d,d8,00,de,00,00", "\U0001F600"},
                      Expandable{"WithoutClosingZero", "hex(2):41,00", "A"},
                      Expandable{"UpToTheFirstZero", "hex(2):41,00,00,00,42,00,00,00", "A"},
                      Expandable{"Empty", "hex(2):", ""}, Expandable{"OddByteCount", "hex(2):41,00,42", std::nullopt},
                      Expandable{"HalfAByte", "hex(2):41,0", std::nullopt},
                      Expandable{"NotHex", "hex(2):4g,00", std::nullopt},
                      Expandable{"Binary", "hex:41,00", std::nullopt},
                      Expandable{"Number", "dword:00000041", std::nullopt}),
    caseName<Expandable>);

struct CpuInfo
{
    const char* label;
    std::string text;
    std::optional<std::string> expected;
};

void PrintTo(const CpuInfo& param, std::ostream* out)
{
    *out << param.label;
}

class ProcessorName : public ::testing::TestWithParam<CpuInfo>
{
};

TEST_P(ProcessorName, FromCpuInfo)
{
    EXPECT_EQ(platform::detail::processorNameFrom(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, ProcessorName,
    ::testing::Values(
        CpuInfo{"X86",
                "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel\t\t: 142\n"
                "model name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\nflags\t\t: fpu\n\n"
                "processor\t: 1\nmodel name\t: second\n",
                "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"},
        CpuInfo{"OldArm", "Processor\t: ARMv7 Processor rev 4 (v7l)\nBogoMIPS\t: 38.40\nHardware\t: BCM2835\n",
                "ARMv7 Processor rev 4 (v7l)"},
        CpuInfo{"ArmWithHardwareOnly", "processor\t: 0\nBogoMIPS\t: 38.40\nHardware\t: BCM2835\n", "BCM2835"},
        CpuInfo{"EmptyModelName", "model name\t:   \n", std::nullopt}, CpuInfo{"Nothing", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
