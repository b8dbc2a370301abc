#include "filebytes.h"
#include "platform/inifiles.h"
#include "platform/linux/caseless.h"
#include "platform/linux/inidocument.h"
#include "support/filesizelimit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArrayView>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <tuple>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class IniFilesTest : public ::testing::Test
{
protected:
    std::shared_ptr<platform::IniFiles> open() { return platform::IniFiles::create({dir(), {}}); }
    std::string dir() const { return m_dir.path().toStdString(); }
    std::string path(const std::string& name) const { return dir() + "/" + name; }

    QTemporaryDir m_dir;
};

TEST_F(IniFilesTest, ConfigFolderIsCreatedOnFirstWrite)
{
    auto ini = platform::IniFiles::create({dir() + "/new/folder", {}});
    ASSERT_TRUE(ini->write("help.ini", "Слова", "кот", "cat"));
    EXPECT_EQ(readBytes(dir() + "/new/folder/help.ini"), "[Слова]\nкот=cat\n");
}

struct Edit
{
    const char* label;
    std::string before;
    std::function<bool(platform::IniFiles&)> edit;
    std::string after;
};

void PrintTo(const Edit& param, std::ostream* out)
{
    *out << param.label;
}

class IniEdit : public IniFilesTest, public ::testing::WithParamInterface<Edit>
{
};

// The file's exact text after one change: only the touched lines differ.
TEST_P(IniEdit, ChangesOnlyWhatItMust)
{
    if (!GetParam().before.empty())
        writeBytes(path("f.ini"), GetParam().before);
    EXPECT_TRUE(GetParam().edit(*open()));
    EXPECT_EQ(readBytes(path("f.ini")), GetParam().after);
}

std::function<bool(platform::IniFiles&)> write(std::string section, std::string key, std::string value)
{
    return [=](platform::IniFiles& ini) { return ini.write("f.ini", section, key, value); };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniEdit,
    ::testing::Values(
        Edit{"NewFile", "", write("Programs", "0", "C:\\a.exe"), "[Programs]\n0=C:\\a.exe\n"},
        Edit{"ReplaceInPlaceKeepsSpelling", "; top\n[Sec]\n  MyKey = old \nother=1\n", write("SEC", "mykey", "new"),
             "; top\n[Sec]\nMyKey=new\nother=1\n"},
        Edit{"NewKeyAfterLastFilledLineOfSection", "[A]\nx=1\n; note\n\n[B]\ny=2\n", write("a", "z", "3"),
             "[A]\nx=1\n; note\nz=3\n\n[B]\ny=2\n"},
        Edit{"NewKeyInEmptySection", "[A]\n[B]\ny=2\n", write("A", "z", "3"), "[A]\nz=3\n[B]\ny=2\n"},
        Edit{"NewSectionAtEnd", "[A]\nx=1", write("B", "y", "2"), "[A]\nx=1\n\n[B]\ny=2\n"},
        Edit{"NewSectionAfterTrailingBlankLine", "[A]\nx=1\n\n", write("B", "y", "2"), "[A]\nx=1\n\n[B]\ny=2\n"},
        Edit{"CrLfKept", "[A]\r\nx=1\r\n", write("A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n"},
        Edit{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\nx=1\n", write("A", "x", "2"), "\xEF\xBB\xBF[A]\nx=2\n"},
        Edit{"LineBreaksInValueBecomeBlanks", "", write("A", "x", "one\r\ntwo\n[B]"), "[A]\nx=one  two [B]\n"},
        Edit{"CarriageReturnInKeyNameIsTheSameKey", "[A]\r\nk\rv=1\r\n", write("A", "k\rv", "2"), "[A]\r\nk\rv=2\r\n"},
        Edit{"OnlyFirstSectionOfANameChanges", "[A]\nx=1\n[a]\nx=2\n", write("A", "x", "3"), "[A]\nx=3\n[a]\nx=2\n"},
        Edit{"EraseKey", "[A]\n; keep\nx=1\nX = 2\ny=3\n",
             [](platform::IniFiles& ini) { return ini.eraseKey("f.ini", "a", "x"); }, "[A]\n; keep\ny=3\n"},
        Edit{"EraseSectionEveryCopy", ";c\n[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n",
             [](platform::IniFiles& ini) { return ini.eraseSection("f.ini", "A"); }, ";c\n[B]\ny=2\n"},
        Edit{"EraseMissingKeyLeavesFileAlone", "[A]\r\nx=1",
             [](platform::IniFiles& ini) { return ini.eraseKey("f.ini", "A", "y"); }, "[A]\r\nx=1"}),
    [](const auto& info) { return std::string(info.param.label); });

struct Rewrite
{
    const char* label;
    std::string before;
    std::string section;
    std::string key;
};

void PrintTo(const Rewrite& param, std::ostream* out)
{
    *out << param.label;
}

class IniRewrite : public ::testing::TestWithParam<Rewrite>
{
};

// Help.ini and start.ini are rewritten whole on every change: the written key must read back, and every other
// key must read the same from the rewritten bytes as from the file before.
TEST_P(IniRewrite, OtherKeysKeepTheirValues)
{
    using platform::detail::IniDocument;
    IniDocument document = IniDocument::parse(GetParam().before);
    std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> before;
    for (const std::string& section : document.sections())
        for (const std::string& key : document.keys(section))
            before.emplace_back(section, key, document.read(section, key));
    ASSERT_FALSE(before.empty());
    const bool newKey = !document.read(GetParam().section, GetParam().key);

    document.write(GetParam().section, GetParam().key, "written");
    const IniDocument reread = IniDocument::parse(document.format());
    EXPECT_EQ(reread.read(GetParam().section, GetParam().key), "written");
    std::size_t keyCount = 0;
    for (const std::string& section : reread.sections())
        keyCount += reread.keys(section).size();
    EXPECT_EQ(keyCount, before.size() + (newKey ? 1 : 0));
    for (const auto& [section, key, value] : before) {
        if (section == GetParam().section && key == GetParam().key)
            continue;
        EXPECT_EQ(reread.read(section, key), value) << section << " / " << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRewrite,
    ::testing::Values(Rewrite{"CarriageReturnsBeforeLineFeedInLfFile", "[A]\nx=1\r\r\ny=\r\r\n", "A", "z"},
                      Rewrite{"CarriageReturnsBeforeLineFeedInCrLfFile", "[A]\r\nx=1\r\r\ny=\r\r\n", "A", "z"},
                      Rewrite{"CarriageReturnsAtEndOfFile", "[A]\nx=1\r\r", "B", "z"},
                      Rewrite{"CarriageReturnInsideKeyName", "[A]\r\nz=\nk\rv=\n]v", "A", "k\rv"},
                      Rewrite{"CarriageReturnInsideValue", "[A]\nx=1\r2\n", "A", "z"},
                      Rewrite{"Windows1251WithStrayCarriageReturn",
                              std::string("[\x9E]]=\n'=\r\r\n\xEF\n\n\n\xEF\n\n\x89\x89\n\x1E="), "fuzz", "key"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(IniFilesTest, WindowsCyrillicFileIsReadAndRewrittenAsUtf8)
{
    // "[Слова]\r\nкот=кошка\r\n" in Windows-1251.
    writeBytes(path("help.ini"), "[\xD1\xEB\xEE\xE2\xE0]\r\n\xEA\xEE\xF2=\xEA\xEE\xF8\xEA\xE0\r\n");
    auto ini = open();
    EXPECT_THAT(ini->sections("help.ini"), ElementsAre("Слова"));
    EXPECT_EQ(ini->read("help.ini", "СЛОВА", "КОТ", ""), "кошка");
    ASSERT_TRUE(ini->write("help.ini", "слова", "пёс", "собака"));
    EXPECT_EQ(readBytes(path("help.ini")), "[Слова]\r\nкот=кошка\r\nпёс=собака\r\n");
}
struct StoredName
{
    const char* label;
    std::string before;
    std::string section;
    std::string key;
    std::string after;
};

void PrintTo(const StoredName& param, std::ostream* out)
{
    *out << param.label;
}

class IniNameReadsBack : public IniFilesTest, public ::testing::WithParamInterface<StoredName>
{
};

// A name that could be written but not found again would be added anew at every write, each time reported as
// stored: the second write must replace the first one's line.
TEST_P(IniNameReadsBack, SecondWriteReplacesTheFirst)
{
    const StoredName& row = GetParam();
    if (!row.before.empty())
        writeBytes(path("f.ini"), row.before);
    ASSERT_TRUE(open()->write("f.ini", row.section, row.key, "first"));
    ASSERT_TRUE(open()->write("f.ini", row.section, row.key, "second"));
    EXPECT_EQ(open()->read("f.ini", row.section, row.key, "none"), "second");
    EXPECT_EQ(readBytes(path("f.ini")), row.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniNameReadsBack,
                         ::testing::Values(StoredName{"SectionNameHoldingBracket", "", "x]y", "k", "[x]y]\nk=second\n"},
                                           StoredName{"SectionNameEndingInBracket", "", "a]", "k", "[a]]\nk=second\n"},
                                           StoredName{"SectionWithoutName", "", "", "k", "[]\nk=second\n"},
                                           StoredName{"KeyStartingWithBracket", "", "A", "[br", "[A]\n[br=second\n"},
                                           StoredName{"KeyWithoutName", "[A]\nx=1\n", "A", "", "[A]\nx=1\n=second\n"},
                                           StoredName{"KeyWithoutNameInTheFile", "[A]\n = old \nx=1\n", "a", " ",
                                                      "[A]\n=second\nx=1\n"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(IniFilesTest, KeyWithoutNameIsReadButNotListed)
{
    writeBytes(path("f.ini"), "[A]\nx=1\n=nameless\ny=2\n");
    auto ini = open();
    EXPECT_THAT(ini->keys("f.ini", "A"), ElementsAre("x", "y"));
    EXPECT_EQ(ini->read("f.ini", "A", "", "none"), "nameless");
    // Listing indexes the section's keys; the key without a name is still found after it.
    EXPECT_EQ(ini->read("f.ini", "A", "", "none"), "nameless");
    ASSERT_TRUE(ini->eraseKey("f.ini", "A", ""));
    EXPECT_EQ(readBytes(path("f.ini")), "[A]\nx=1\ny=2\n");
}

struct Unstorable
{
    const char* label;
    std::string key;
    std::string value;
};

void PrintTo(const Unstorable& param, std::ostream* out)
{
    *out << param.label;
}

class IniUnstorableName : public IniFilesTest, public ::testing::WithParamInterface<Unstorable>
{
};

// A key the file cannot hold as one is refused, so that the caller reports the failed write, and nothing is
// written: neither into a file that exists nor as a new file.
TEST_P(IniUnstorableName, IsRefusedAndNothingIsWritten)
{
    const std::string before = "[A]\r\nx=1\r\n";
    writeBytes(path("f.ini"), before);
    auto ini = open();
    EXPECT_FALSE(ini->write("f.ini", "A", GetParam().key, GetParam().value));
    EXPECT_EQ(readBytes(path("f.ini")), before);
    EXPECT_FALSE(ini->write("new.ini", "A", GetParam().key, GetParam().value));
    EXPECT_FALSE(std::filesystem::exists(path("new.ini")));
}

INSTANTIATE_TEST_SUITE_P(Cases, IniUnstorableName,
                         ::testing::Values(Unstorable{"KeyHoldingEquals", "a=b", "v"},
                                           Unstorable{"KeyStartingWithSemicolon", " ;c", "v"},
                                           Unstorable{"KeyThatIsASectionHeader", "[x]", "v"},
                                           Unstorable{"ValueThatMakesTheLineASectionHeader", "[br", "x]"}),
                         [](const auto& info) { return std::string(info.param.label); });

struct OutsideEdit
{
    const char* label;
    std::string before;
    std::string after;
};

void PrintTo(const OutsideEdit& param, std::ostream* out)
{
    *out << param.label;
}

class IniOutsideEdit : public IniFilesTest, public ::testing::WithParamInterface<OutsideEdit>
{
};

// A file changed by another program between two reads is read anew, whatever the change; and a write
// afterwards keeps what the other program wrote.
TEST_P(IniOutsideEdit, IsSeenAtTheNextReadAndKeptByTheNextWrite)
{
    auto ini = open();
    writeBytes(path("help.ini"), GetParam().before);
    ASSERT_EQ(ini->read("help.ini", "A", "x", "none"),
              platform::detail::IniDocument::parse(GetParam().before).read("A", "x").value_or("none"));
    writeBytes(path("help.ini"), GetParam().after);
    const auto expected = platform::detail::IniDocument::parse(GetParam().after);
    EXPECT_EQ(ini->sections("help.ini"), expected.sections());
    EXPECT_EQ(ini->keys("help.ini", "A"), expected.keys("A"));
    EXPECT_EQ(ini->read("help.ini", "A", "x", "none"), expected.read("A", "x").value_or("none"));
    ASSERT_TRUE(ini->write("help.ini", "New", "k", "v"));
    auto written = platform::detail::IniDocument::parse(GetParam().after);
    written.write("New", "k", "v");
    EXPECT_EQ(readBytes(path("help.ini")), written.format());
}

// Files past the size of one piece read, so that changes in a later piece are covered too.
const std::string kLong = "[A]\nx=1\n[Filler]\n" + std::string(200'000, ';') + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniOutsideEdit,
    ::testing::Values(OutsideEdit{"SameSize", "[A]\nx=1\n", "[A]\nx=2\n"},
                      OutsideEdit{"Appended", "[A]\nx=1\n", "[A]\nx=1\n[B]\ny=3\n"},
                      OutsideEdit{"CutShort", "[A]\nx=1\n[B]\ny=3\n", "[A]\nx=1\n"},
                      OutsideEdit{"Emptied", "[A]\nx=1\n", ""}, OutsideEdit{"FromNothing", "", "[A]\nx=1\n"},
                      OutsideEdit{"LongChangedAtTheEnd", kLong, kLong.substr(0, kLong.size() - 2) + "x\n"},
                      OutsideEdit{"LongChangedAtTheStart", kLong, "[A]\nx=2" + kLong.substr(7)},
                      OutsideEdit{"LongAppended", kLong, kLong + "[B]\ny=3\n"},
                      OutsideEdit{"LongCutShort", kLong, kLong.substr(0, 100'000)}),
    [](const auto& info) { return std::string(info.param.label); });

// Every listing and value of the file through `ini`, against those of a fresh parse of `bytes`.
void expectReadsAsParsed(platform::IniFiles& ini, const std::string& file, const std::string& bytes)
{
    const auto expected = platform::detail::IniDocument::parse(bytes);
    ASSERT_EQ(ini.sections(file), expected.sections()) << bytes;
    for (const std::string& section : expected.sections()) {
        EXPECT_EQ(ini.keys(file, section), expected.keys(section)) << section << " in\n" << bytes;
        for (const std::string& key : expected.keys(section))
            EXPECT_EQ(ini.read(file, section, key, "none"), expected.read(section, key).value_or("none"))
                << section << "/" << key << " in\n"
                << bytes;
    }
    for (const char* gone : {"A", "B", "C", "x", "y", "z"})
        EXPECT_EQ(ini.read(file, "A", gone, "none"), expected.read("A", gone).value_or("none")) << gone;
}

// Lists every section and key and reads every value, so that all that is indexed of the file is.
void readEverything(platform::IniFiles& ini, const std::string& file)
{
    for (const std::string& section : ini.sections(file))
        for (const std::string& key : ini.keys(file, section))
            ini.read(file, section, key, {});
}

// The file replaced with `bytes` by another program, keeping its modification time to the nanosecond, as a
// quick editor or a coarse file system leaves it.
void replaceKeepingTime(const std::string& path, const std::string& bytes)
{
    struct stat before = {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    writeBytes(path, bytes);
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class IniChangedFile : public IniFilesTest, public ::testing::WithParamInterface<OutsideEdit>
{
};

// A file that was read whole (every section and key indexed) and is then changed by another program reads as
// a fresh parse of its new bytes, wherever the change is and even when size and time stay the same; and writes
// afterwards give the file a fresh parse would give.
TEST_P(IniChangedFile, ReadsAndWritesAsAFreshParse)
{
    auto ini = open();
    writeBytes(path("help.ini"), GetParam().before);
    readEverything(*ini, "help.ini");
    replaceKeepingTime(path("help.ini"), GetParam().after);
    expectReadsAsParsed(*ini, "help.ini", GetParam().after);

    auto expected = platform::detail::IniDocument::parse(GetParam().after);
    const std::vector<std::string> sections = expected.sections();
    const std::string last = sections.empty() ? "A" : sections.back();
    ASSERT_TRUE(ini->write("help.ini", last, "new", "v"));
    ASSERT_TRUE(ini->write("help.ini", "Fresh", "k", "w"));
    expected.write(last, "new", "v");
    expected.write("Fresh", "k", "w");
    const std::string written = readBytes(path("help.ini"));
    EXPECT_EQ(written, expected.format());
    expectReadsAsParsed(*ini, "help.ini", written);
}

std::string manySections(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[Раздел " + std::to_string(i) + "]\nТермин=определение " + std::to_string(i) + "\n";
    return text;
}

const std::string kMany = manySections(5000);

INSTANTIATE_TEST_SUITE_P(
    Cases, IniChangedFile,
    ::testing::Values(OutsideEdit{"SameSizeValue", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=1\n[B]\ny=2\n"},
                      OutsideEdit{"SameSizeValueInTheFirstSection", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=2\n[B]\ny=1\n"},
                      OutsideEdit{"SameSizeKeyRenamed", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=1\n[B]\nz=1\n"},
                      OutsideEdit{"SameSizeSectionRenamed", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=1\n[C]\ny=1\n"},
                      OutsideEdit{"FirstSectionRenamed", "[A]\nx=1\n[B]\ny=1\n", "[Z]\nx=1\n[B]\ny=1\n"},
                      OutsideEdit{"SectionRenamedAsAnEarlierOne", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=1\n[a]\ny=1\n"},
                      OutsideEdit{"EntriesAndSectionRemoved", "[A]\nx=1\ny=2\nz=3\n[B]\nw=1\n", "[A]\nx=1\n"},
                      OutsideEdit{"KeyRemovedInTheMiddle", "[A]\nx=1\ny=2\nz=3\n", "[A]\nx=1\nz=3\n"},
                      OutsideEdit{"FirstOfTwoEqualKeysRemoved", "[A]\nk=0\nx=1\nx=3\n", "[A]\nk=0\nx=3\n"},
                      OutsideEdit{"EqualKeyAppended", "[A]\nx=1\n", "[A]\nx=1\nX=2\ny=3\n"},
                      OutsideEdit{"EqualSectionAppended", "[A]\nx=1\n", "[A]\nx=1\n[a]\ny=2\n"},
                      OutsideEdit{"BlankLineBecomesAKey", "[A]\nx=1\n\n[B]\ny=1\n", "[A]\nx=1\nw=\n[B]\ny=1\n"},
                      OutsideEdit{"LineFeedRemoved", "[A]\nx=1\n[B]\ny=1\n", "[A]\nx=1[B]\ny=1\n"},
                      OutsideEdit{"UnterminatedLineContinued", "[A]\nx=1", "[A]\nx=12\ny=2\n"},
                      OutsideEdit{"LastLineLeftUnterminated", "[A]\nx=1\n", "[A]\nx=1\ny=2"},
                      OutsideEdit{"CarriageReturnAdded", "[A]\nx=1\ny=2\n", "[A]\nx=1\ny=2\r\n"},
                      OutsideEdit{"CrlfFileAppended", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
                      OutsideEdit{"TailInWindows1251", "[A]\nx=1\n", "[A]\nx=1\n[\xC1]\ny=\xE4\n"},
                      OutsideEdit{"ByteOrderMarkFileAppended", "\xEF\xBB\xBF[A]\nx=1\n", "\xEF\xBB\xBF[A]\nx=1\ny=2\n"},
                      OutsideEdit{"ManySectionsLastValueChanged", kMany, kMany.substr(0, kMany.size() - 2) + "X\n"},
                      OutsideEdit{"ManySectionsCommentAppended", kMany, kMany + "; edit\n"},
                      OutsideEdit{"ManySectionsSecondHalfRemoved", kMany, manySections(2500)},
                      OutsideEdit{"ManySectionsEarlyKeyRenamed", kMany,
                                  "[Раздел 0]\nтермин=x\n" + kMany.substr(kMany.find("[Раздел 1]"))}),
    [](const auto& info) { return std::string(info.param.label); });

struct WriteSequence
{
    const char* label;
    std::string before;
    std::vector<std::tuple<std::string, std::string, std::string>> writes;
    std::string after;
};

void PrintTo(const WriteSequence& param, std::ostream* out)
{
    *out << param.label;
}

class IniWrites : public IniFilesTest, public ::testing::WithParamInterface<WriteSequence>
{
};

// Writes into a file whose every section and key is indexed leave the file as written out here, and after each
// one this instance and another one (another running copy) read the file as a fresh parse of it.
TEST_P(IniWrites, LeaveTheFileAsExpectedAndReadAsAFreshParse)
{
    auto ini = open();
    writeBytes(path("help.ini"), GetParam().before);
    readEverything(*ini, "help.ini");
    for (const auto& [section, key, value] : GetParam().writes) {
        ASSERT_TRUE(ini->write("help.ini", section, key, value));
        const std::string written = readBytes(path("help.ini"));
        expectReadsAsParsed(*ini, "help.ini", written);
        auto other = open();
        expectReadsAsParsed(*other, "help.ini", written);
    }
    EXPECT_EQ(readBytes(path("help.ini")), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrites,
    ::testing::Values(
        WriteSequence{"ValueReplacedInTheMiddle",
                      "[A]\nx=1\n[B]\ny=1\nz=2\n[C]\nw=3\n",
                      {{"b", "Y", "new"}, {"C", "w", "4"}},
                      "[A]\nx=1\n[B]\ny=new\nz=2\n[C]\nw=4\n"},
        WriteSequence{"KeysAddedBeforeLaterSections",
                      "[A]\nx=1\n\n[B]\ny=1\n\n[C]\nw=3\n",
                      {{"A", "n", "1"}, {"B", "m", "2"}, {"C", "w", "4"}, {"A", "n", "5"}, {"C", "v", "6"}},
                      "[A]\nx=1\nn=5\n\n[B]\ny=1\nm=2\n\n[C]\nw=4\nv=6\n"},
        WriteSequence{"SectionsAddedThenFilled",
                      "[A]\nx=1\n",
                      {{"B", "y", "1"}, {"C", "z", "2"}, {"B", "q", "3"}, {"b", "Y", "4"}},
                      "[A]\nx=1\n\n[B]\ny=4\nq=3\n\n[C]\nz=2\n"},
        WriteSequence{"FirstOfTwoEqualSectionsTakesTheKey",
                      "[A]\nx=1\n[B]\ny=1\n[a]\nz=1\n",
                      {{"a", "w", "2"}, {"A", "z", "3"}},
                      "[A]\nx=1\nw=2\nz=3\n[B]\ny=1\n[a]\nz=1\n"},
        WriteSequence{"FirstOfTwoEqualKeysIsReplaced",
                      "[A]\nx=1\nX=2\n",
                      {{"A", "x", "3"}, {"A", "y", "4"}},
                      "[A]\nx=3\nX=2\ny=4\n"},
        WriteSequence{"KeyOfNoName", "[A]\nx=1\n", {{"A", "", "1"}, {"A", "", "2"}}, "[A]\nx=1\n=2\n"},
        WriteSequence{"LinesBeforeTheFirstSection",
                      "; comment\nk=0\n[A]\nx=1\n",
                      {{"A", "y", "2"}, {"B", "z", "3"}},
                      "; comment\nk=0\n[A]\nx=1\ny=2\n\n[B]\nz=3\n"},
        WriteSequence{"CrlfFile",
                      "[A]\r\nx=1\r\n",
                      {{"A", "y", "2"}, {"B", "z", "3"}},
                      "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n"},
        WriteSequence{
            "MixedLineEnds", "[A]\nx=1\r\n[B]\ny=1", {{"A", "x", "2"}, {"B", "z", "3"}}, "[A]\nx=2\n[B]\ny=1\nz=3\n"},
        WriteSequence{"ByteOrderMark",
                      "\xEF\xBB\xBF[A]\nx=1\n",
                      {{"A", "y", "2"}, {"A", "x", "3"}},
                      "\xEF\xBB\xBF[A]\nx=3\ny=2\n"},
        WriteSequence{"Windows1251File", "[\xC0]\nk=\xE1\n", {{"А", "n", "в"}}, "[А]\nk=б\nn=в\n"}),
    [](const auto& info) { return std::string(info.param.label); });

// A write that cannot be finished leaves the file whole as it was, and neither the readers nor the next write
// see the entry that was not stored.
TEST_F(IniFilesTest, FailedWriteLeavesTheFileAndWhatIsReadAsTheyWere)
{
    auto ini = open();
    const std::string before = kMany;
    writeBytes(path("help.ini"), before);
    readEverything(*ini, "help.ini");
    {
        FileSizeLimit limit(before.size() + 4);
        ASSERT_TRUE(limit.set());
        EXPECT_FALSE(ini->write("help.ini", "Раздел 2500", "Новый термин", "длинное определение"));
        EXPECT_FALSE(ini->write("help.ini", "Раздел 2500", "Термин", "длинное определение"));
    }
    EXPECT_EQ(readBytes(path("help.ini")), before);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir(), error))
        EXPECT_TRUE(entry.path().filename() == "help.ini" || entry.path().filename() == "help.ini.lock")
            << entry.path();
    expectReadsAsParsed(*ini, "help.ini", before);
    ASSERT_TRUE(ini->write("help.ini", "Раздел 1", "Термин", "ок"));
    auto expected = platform::detail::IniDocument::parse(before);
    expected.write("Раздел 1", "Термин", "ок");
    EXPECT_EQ(readBytes(path("help.ini")), expected.format());
}

std::string utf8(char32_t code)
{
    return QString::fromUcs4(&code, 1).toStdString();
}

// The hash and comparison that list and find names agree with the caseless key for every character: a
// character, its capital, small and folded forms are equal exactly when their keys are, and equal names
// hash alike.
TEST(Caseless, HashAndComparisonAgreeWithTheKey)
{
    using namespace platform::detail;
    // No character beyond the first two planes has a case.
    for (char32_t code = 1; code < 0x20000; ++code) {
        if (code >= 0xD800 && code < 0xE000)
            continue;
        const std::string text = utf8(code);
        const QString qtext = QString::fromStdString(text);
        for (const QString& other : {qtext.toUpper(), qtext.toLower(), qtext.toCaseFolded()}) {
            // Once after a start that differs in case only, once after the same bytes.
            for (const char* start : {"X", "Ж"}) {
                const std::string otherText = std::string(start[0] == 'X' ? "x" : start) + other.toStdString() + "Ж";
                const std::string sameText = start + text + "ж";
                const bool equal = caselessKey(sameText) == caselessKey(otherText);
                ASSERT_EQ(equalsCaseless(sameText, otherText), equal) << unsigned(code);
                if (equal) {
                    ASSERT_EQ(caselessHash(sameText), caselessHash(otherText)) << unsigned(code);
                }
            }
        }
    }
    EXPECT_FALSE(equalsCaseless("abc", "abcd"));
    EXPECT_FALSE(equalsCaseless("Ключ", "Клю"));
}

// A file is read as UTF-8 exactly when Qt would call it UTF-8: every string of up to two bytes, and of up to
// four bytes drawn from the values where the rules change, alone and after a run of ASCII.
TEST(Utf8, CheckAgreesWithQt)
{
    const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
                                   0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
    std::vector<std::string> cases;
    for (int a = 0; a < 256; ++a) {
        cases.push_back(std::string(1, char(a)));
        for (int b = 0; b < 256; ++b)
            cases.push_back({char(a), char(b)});
    }
    for (unsigned char a : edges)
        for (unsigned char b : edges)
            for (unsigned char c : edges) {
                cases.push_back({char(a), char(b), char(c)});
                for (unsigned char d : edges)
                    cases.push_back({char(a), char(b), char(c), char(d)});
            }
    for (const std::string& bytes : cases) {
        for (const std::string& text : {bytes, "ASCII run " + bytes, bytes + "ASCII run"}) {
            ASSERT_EQ(platform::detail::isUtf8(text), QByteArrayView(text.data(), qsizetype(text.size())).isValidUtf8())
                << ::testing::PrintToString(text);
        }
    }
}

TEST(Cp1251, OwnTableMatchesQtCodec)
{
    if (!QStringDecoder("windows-1251").isValid())
        GTEST_SKIP() << "this Qt has no Windows-1251 codec to compare with";
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    EXPECT_EQ(platform::detail::decodeCp1251ByTable(all), platform::detail::decodeCp1251(all));
}

} // namespace
