#include <gtest/gtest.h>

#include "common/errors.h"
#include "console/companionlist.h"

#include "unit/console/configfolder.h"

namespace {

const QString kStartIni = QStringLiteral("start.ini");

class Companions : public ConfigFolder
{
protected:
    QString startIni() const { return fileText(kStartIni); }
};

TEST_F(Companions, MissingFileIsAnEmptyList)
{
    CompanionList list(platform());
    list.load();
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_EQ(list.filePath(), path(kStartIni));
}

TEST_F(Companions, AppliedPathIsOneKeyOfTheStartSectionAndComesBackAtTheNextStart)
{
    {
        CompanionList list(platform());
        list.load();
        EXPECT_EQ(list.apply(QStringLiteral("C:\\Windows\\notepad.exe")), CompanionList::Applied::Added);
        EXPECT_EQ(list.apply(QStringLiteral("/usr/bin/gedit")), CompanionList::Applied::Added);
    }
    EXPECT_EQ(startIni(), QStringLiteral("[запуск]\nC:\\Windows\\notepad.exe=C++\n/usr/bin/gedit=C++\n"));

    restart();
    CompanionList list(platform());
    list.load();
    EXPECT_EQ(list.items(),
              (QStringList{QStringLiteral("C:\\Windows\\notepad.exe"), QStringLiteral("/usr/bin/gedit")}));
}

TEST_F(Companions, SamePathTwiceIsWrittenOnce)
{
    CompanionList list(platform());
    list.load();
    list.apply(QStringLiteral("/usr/bin/gedit"));
    EXPECT_EQ(list.apply(QStringLiteral("/usr/bin/gedit")), CompanionList::Applied::AlreadyListed);
    EXPECT_EQ(list.items(), QStringList{QStringLiteral("/usr/bin/gedit")});
    EXPECT_EQ(startIni(), QStringLiteral("[запуск]\n/usr/bin/gedit=C++\n"));
}

TEST_F(Companions, EmptyTextIsRefusedWithoutTouchingTheFile)
{
    CompanionList list(platform());
    list.load();
    EXPECT_EQ(list.apply(QString()), CompanionList::Applied::Empty);
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_FALSE(QFile::exists(path(kStartIni)));
}

TEST_F(Companions, PathDifferingOnlyInCaseIsRefusedRatherThanLostAtTheNextStart)
{
    CompanionList list(platform());
    list.load();
    list.apply(QStringLiteral("/home/user/Run.sh"));
    try {
        list.apply(QStringLiteral("/home/user/run.sh"));
        FAIL() << "a path the file cannot keep apart was taken";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("«/home/user/run.sh»"))) << error.what();
        EXPECT_TRUE(error.message().contains(QStringLiteral("«/home/user/Run.sh»"))) << error.what();
    }
    EXPECT_EQ(list.items(), QStringList{QStringLiteral("/home/user/Run.sh")});
    EXPECT_EQ(startIni(), QStringLiteral("[запуск]\n/home/user/Run.sh=C++\n"));
}

TEST_F(Companions, CyrillicCaseIsComparedAsTheFileDoes)
{
    CompanionList list(platform());
    list.load();
    list.apply(QStringLiteral("/дом/Игра"));
    EXPECT_THROW(list.apply(QStringLiteral("/ДОМ/игра")), FileError);
    EXPECT_EQ(list.items().size(), 1);
}

TEST_F(Companions, PathAlreadyInTheFileButNotListedIsListedAgain)
{
    CompanionList list(platform());
    list.load();
    CompanionList other(platform());
    other.apply(QStringLiteral("/usr/bin/gedit"));
    EXPECT_EQ(list.apply(QStringLiteral("/usr/bin/gedit")), CompanionList::Applied::Added);
    EXPECT_EQ(startIni(), QStringLiteral("[запуск]\n/usr/bin/gedit=C++\n"));
}

struct Unstorable
{
    const char* name;
    const char* text;
};

class CompanionRefused : public Companions, public testing::WithParamInterface<Unstorable>
{
};

TEST_P(CompanionRefused, PathTheFileCannotHoldIsRefusedWithAMessage)
{
    const QString text = QString::fromUtf8(GetParam().text);
    CompanionList list(platform());
    list.load();
    try {
        list.apply(text);
        FAIL() << "stored a path that would read back as something else";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Путь «") + text + QStringLiteral("» нельзя запомнить")))
            << error.what();
    }
    EXPECT_FALSE(CompanionList::unstorableReason(text).isEmpty());
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_FALSE(QFile::exists(path(kStartIni)));
}

INSTANTIATE_TEST_SUITE_P(Table, CompanionRefused,
                         testing::Values(Unstorable{"equalsSign", "/tmp/a=b.sh"},
                                         Unstorable{"urlQuery", "http://example.org/?q=1"},
                                         Unstorable{"lineFeed", "/tmp/one\ntwo"},
                                         Unstorable{"carriageReturn", "/tmp/one\rtwo"},
                                         Unstorable{"leadingBlank", " /tmp/x"}, Unstorable{"trailingBlank", "/tmp/x "},
                                         Unstorable{"leadingTab", "\t/tmp/x"}, Unstorable{"onlyBlanks", "   "},
                                         Unstorable{"commentStart", "; touch FILE"},
                                         Unstorable{"sectionStart", "[запуск]"}, Unstorable{"openBracket", "[x"}),
                         [](const testing::TestParamInfo<Unstorable>& info) { return std::string(info.param.name); });

class CompanionStored : public Companions, public testing::WithParamInterface<const char*>
{
};

TEST_P(CompanionStored, PathComesBackExactlyAfterARestart)
{
    const QString text = QString::fromUtf8(GetParam());
    CompanionList(platform()).apply(text);
    restart();
    CompanionList list(platform());
    list.load();
    EXPECT_EQ(list.items(), QStringList{text});
}

INSTANTIATE_TEST_SUITE_P(Paths, CompanionStored,
                         testing::Values("C:\\Program Files\\App\\app.exe", "/home/user/Мои программы/игра",
                                         "inner  blanks here", "a;b", "x[1]", "close]", "\"quoted\"", "'single'",
                                         "$(touch FILE)", "`id`", "a | b && c", "-leading-dash",
                                         "https://example.org/path", "50%20off", "#hash"));

TEST_F(Companions, DeleteAllRemovesExactlyTheStartFile)
{
    writeFile(QStringLiteral("help.ini"), "[Тип]\nимя=значение\n");
    writeFile(QStringLiteral("start.ini.bak"), "keep");
    CompanionList list(platform());
    list.load();
    list.apply(QStringLiteral("/usr/bin/gedit"));
    list.deleteAll();
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_FALSE(QFile::exists(path(kStartIni)));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("help.ini"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("start.ini.bak"))));

    restart();
    CompanionList next(platform());
    next.load();
    EXPECT_TRUE(next.items().isEmpty());
    // Deleting with no file there is no error.
    EXPECT_NO_THROW(next.deleteAll());
}

TEST_F(Companions, DeleteAllThatCannotRemoveTheFileSaysSoAndKeepsTheList)
{
    CompanionList list(platform());
    list.load();
    list.apply(QStringLiteral("/usr/bin/gedit"));
    // A folder in the file's place cannot be removed as a file.
    ASSERT_TRUE(QFile::remove(path(kStartIni)));
    ASSERT_TRUE(QDir().mkpath(path(kStartIni + QStringLiteral("/inside"))));
    EXPECT_THROW(list.deleteAll(), FileError);
    EXPECT_EQ(list.items(), QStringList{QStringLiteral("/usr/bin/gedit")});
}

TEST_F(Companions, FileWrittenByTheWindowsProgramIsRead)
{
    // Code page 1251 with CRLF line ends: "[запуск]" and a path with Cyrillic letters.
    writeFile(kStartIni, QByteArray("[\xE7\xE0\xEF\xF3\xF1\xEA]\r\nC:\\\xC8\xE3\xF0\xFB\\game.exe=C++\r\n"
                                    "C:\\Windows\\notepad.exe=C++\r\n"));
    CompanionList list(platform());
    list.load();
    EXPECT_EQ(list.items(),
              (QStringList{QStringLiteral("C:\\Игры\\game.exe"), QStringLiteral("C:\\Windows\\notepad.exe")}));
}

class CompanionsUnwritable : public UnwritableFolder
{
};

TEST_F(CompanionsUnwritable, FailedWriteIsReportedAndNothingIsListed)
{
    CompanionList list(platform());
    list.load();
    try {
        list.apply(QStringLiteral("/usr/bin/gedit"));
        FAIL() << "the write was taken as done";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Unable to write to start.ini"));
    }
    EXPECT_TRUE(list.items().isEmpty());
}

} // namespace
