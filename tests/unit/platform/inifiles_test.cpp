#include "platform/inifiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tempfolder.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class IniFilesTest : public ::testing::Test
{
protected:
    std::shared_ptr<platform::IniFiles> open() { return platform::IniFiles::create({dir(), {}}); }
    std::string dir() const { return m_dir.path(); }
    std::string path(const std::string& name) const { return dir() + "/" + name; }

    contract::TempFolder m_dir;
};

const std::string kSample = "; companion programs\n"
                            "[Programs]\n"
                            "  First Key  =  C:\\a.exe  \n"
                            "second=\"  quoted  \"\n"
                            "third='single'\n"
                            "fourth=\"mismatched'\n"
                            "fifth=\"\n"
                            "no equals sign here\n"
                            ";commented=1\n"
                            "=nameless\n"
                            "Empty=\n"
                            "\n"
                            "[  Слова  ]\n"
                            "Привет=Hello\n"
                            "[programs]\n"
                            "first key=shadowed\n"
                            "extra=shadowed\n";

struct Lookup
{
    const char* label;
    std::string section;
    std::string key;
    std::string expected;
};

void PrintTo(const Lookup& param, std::ostream* out)
{
    *out << param.label;
}

class IniRead : public IniFilesTest, public ::testing::WithParamInterface<Lookup>
{
};

TEST_P(IniRead, AsGetPrivateProfileString)
{
    writeBytes(path("start.ini"), kSample);
    EXPECT_EQ(open()->read("start.ini", GetParam().section, GetParam().key, "<fallback>"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniRead,
                         ::testing::Values(Lookup{"TrimmedKeyAndValue", "Programs", "First Key", "C:\\a.exe"},
                                           Lookup{"SectionAndKeyWithoutCase", "PROGRAMS", "FIRST KEY", "C:\\a.exe"},
                                           Lookup{"BlanksAroundLookupNames", " programs ", " first key ", "C:\\a.exe"},
                                           Lookup{"DoubleQuotesStripped", "Programs", "second", "  quoted  "},
                                           Lookup{"SingleQuotesStripped", "Programs", "third", "single"},
                                           Lookup{"MismatchedQuotesKept", "Programs", "fourth", "\"mismatched'"},
                                           Lookup{"LoneQuoteKept", "Programs", "fifth", "\""},
                                           Lookup{"EmptyValueIsNotFallback", "Programs", "empty", ""},
                                           Lookup{"CommentIsNoKey", "Programs", ";commented", "<fallback>"},
                                           Lookup{"LineWithoutEqualsIsNoKey", "Programs", "no equals sign here",
                                                  "<fallback>"},
                                           Lookup{"CyrillicSectionWithoutCase", "слова", "ПРИВЕТ", "Hello"},
                                           Lookup{"FirstSectionOfANameWins", "Programs", "extra", "<fallback>"},
                                           Lookup{"MissingKey", "Programs", "absent", "<fallback>"},
                                           Lookup{"MissingSection", "Absent", "first key", "<fallback>"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(IniFilesTest, SectionsAndKeysInFileOrder)
{
    writeBytes(path("start.ini"), kSample);
    auto ini = open();
    EXPECT_THAT(ini->sections("start.ini"), ElementsAre("Programs", "Слова"));
    EXPECT_THAT(ini->keys("start.ini", "programs"),
                ElementsAre("First Key", "second", "third", "fourth", "fifth", "Empty"));
    EXPECT_THAT(ini->keys("start.ini", "СЛОВА"), ElementsAre("Привет"));
    EXPECT_THAT(ini->keys("start.ini", "Absent"), IsEmpty());
}

TEST_F(IniFilesTest, MissingFile)
{
    auto ini = open();
    EXPECT_THAT(ini->sections("none.ini"), IsEmpty());
    EXPECT_THAT(ini->keys("none.ini", "s"), IsEmpty());
    EXPECT_EQ(ini->read("none.ini", "s", "k", "dflt"), "dflt");
    EXPECT_TRUE(ini->eraseKey("none.ini", "s", "k"));
    EXPECT_TRUE(ini->eraseSection("none.ini", "s"));
    EXPECT_TRUE(ini->removeFile("none.ini"));
    EXPECT_FALSE(std::filesystem::exists(path("none.ini")));

    // The same when the config folder is not there yet.
    auto unmade = platform::IniFiles::create({path("absent"), {}});
    EXPECT_EQ(unmade->read("none.ini", "s", "k", "dflt"), "dflt");
    EXPECT_TRUE(unmade->eraseKey("none.ini", "s", "k"));
    EXPECT_TRUE(unmade->eraseSection("none.ini", "s"));
    EXPECT_TRUE(unmade->removeFile("none.ini"));
    EXPECT_FALSE(std::filesystem::exists(path("absent/none.ini")));
}

TEST_F(IniFilesTest, PathOfAndRemoveFile)
{
    auto ini = open();
    // Compared as paths: Windows takes "/" and "\\" alike.
    EXPECT_EQ(std::filesystem::path(ini->pathOf("start.ini")).lexically_normal(),
              std::filesystem::path(path("start.ini")).lexically_normal());
    ASSERT_TRUE(ini->write("start.ini", "s", "k", "v"));
    ASSERT_TRUE(std::filesystem::exists(ini->pathOf("start.ini")));
    EXPECT_TRUE(ini->removeFile("start.ini"));
    EXPECT_FALSE(std::filesystem::exists(path("start.ini")));
    EXPECT_THAT(ini->sections("start.ini"), IsEmpty());
}
TEST_F(IniFilesTest, ConfigFolderIsMadeForTheFirstWrite)
{
    auto ini = platform::IniFiles::create({dir() + "/new/folder", {}});
    ASSERT_TRUE(ini->write("help.ini", "Слова", "кот", "cat"));
    EXPECT_TRUE(std::filesystem::exists(dir() + "/new/folder/help.ini"));
    EXPECT_EQ(platform::IniFiles::create({dir() + "/new/folder", {}})->read("help.ini", "слова", "КОТ", ""), "cat");
}

TEST_F(IniFilesTest, RepeatedNamesAreListedOnceInTheirFirstSpelling)
{
    writeBytes(path("help.ini"), "[Слова]\nКот=1\nкот=2\nпёс=3\nКОТ=4\nDog=5\nDOG=6\n[СЛОВА]\nмышь=7\n[words]\n");
    auto ini = open();
    EXPECT_THAT(ini->sections("help.ini"), ElementsAre("Слова", "words"));
    EXPECT_THAT(ini->keys("help.ini", "слова"), ElementsAre("Кот", "пёс", "Dog"));
    EXPECT_EQ(ini->read("help.ini", "слова", "кОТ", ""), "1");
    EXPECT_EQ(ini->read("help.ini", "слова", "мышь", "none"), "none");
}

// Many sections, each written twice in another case: every name is listed once, in file order, and each
// finds the keys of its first section only.
TEST_F(IniFilesTest, LongFilesListEverySectionOnceInOrder)
{
    constexpr int kCount = 20'000;
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; i < kCount; ++i) {
        expected.push_back("Раздел " + std::to_string(i));
        text += "[" + expected.back() + "]\nключ=" + std::to_string(i) + "\n";
    }
    for (int i = 0; i < kCount; ++i)
        text += "[РАЗДЕЛ " + std::to_string(i) + "]\nключ=shadowed\nдругой=shadowed\n";
    writeBytes(path("help.ini"), text);
    auto ini = open();
    EXPECT_EQ(ini->sections("help.ini"), expected);
    for (int i : {0, kCount / 2, kCount - 1}) {
        EXPECT_THAT(ini->keys("help.ini", "раздел " + std::to_string(i)), ElementsAre("ключ"));
        EXPECT_EQ(ini->read("help.ini", "раздел " + std::to_string(i), "КЛЮЧ", ""), std::to_string(i));
    }
}

// A file in UTF-8 (written by another copy of the program, or by an editor) keeps every entry through a write,
// the names written in another case replace the ones there in place, and no temporary file stays behind.
TEST_F(IniFilesTest, AWriteKeepsTheRestOfAUtf8File)
{
    writeBytes(path("help.ini"), "[Слова]\nПривет=Здравствуй\nКот=кошка\n[Другие]\nпёс=собака\n");
    auto ini = open();
    ASSERT_TRUE(ini->write("help.ini", "СЛОВА", "кОТ", "котяра"));
    ASSERT_TRUE(ini->write("help.ini", "слова", "Новое", "слово"));
    ASSERT_TRUE(ini->eraseKey("help.ini", "ДРУГИЕ", "ПЁС"));

    auto fresh = open();
    EXPECT_THAT(fresh->sections("help.ini"), ElementsAre("Слова", "Другие"));
    EXPECT_THAT(fresh->keys("help.ini", "Слова"), ElementsAre("Привет", "Кот", "Новое"));
    EXPECT_EQ(fresh->read("help.ini", "Слова", "Привет", ""), "Здравствуй");
    EXPECT_EQ(fresh->read("help.ini", "Слова", "Кот", ""), "котяра");
    EXPECT_EQ(fresh->read("help.ini", "Слова", "новое", ""), "слово");
    EXPECT_THAT(fresh->keys("help.ini", "Другие"), IsEmpty());
    // A lock file the platform keeps beside the file is no leftover.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir()))
        if (entry.path().extension() != ".lock")
            files.push_back(entry.path().filename().string());
    EXPECT_THAT(files, ElementsAre("help.ini"));
}

TEST_F(IniFilesTest, RemovedFileReadsAsEmpty)
{
    auto ini = open();
    ASSERT_TRUE(ini->write("help.ini", "A", "x", "1"));
    EXPECT_EQ(ini->read("help.ini", "A", "x", ""), "1");
    std::filesystem::remove(path("help.ini"));
    EXPECT_THAT(ini->sections("help.ini"), IsEmpty());
    EXPECT_EQ(ini->read("help.ini", "A", "x", "gone"), "gone");
}

TEST_F(IniFilesTest, TwoInstancesWritingAtOnceLoseNothing)
{
    constexpr int kCount = 50;
    const auto writer = [this](const std::string& section) {
        auto ini = open();
        for (int i = 0; i < kCount; ++i)
            EXPECT_TRUE(ini->write("start.ini", section, std::to_string(i), section));
    };
    std::thread first(writer, "First");
    std::thread second(writer, "Second");
    first.join();
    second.join();
    auto fresh = open();
    EXPECT_EQ(fresh->keys("start.ini", "First").size(), std::size_t(kCount));
    EXPECT_EQ(fresh->keys("start.ini", "Second").size(), std::size_t(kCount));
}

} // namespace