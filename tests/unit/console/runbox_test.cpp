#include <gtest/gtest.h>

#include "common/errors.h"
#include "console/runbox.h"
#include "console/runhistory.h"

#include "unit/console/configfolder.h"

namespace {

const QByteArray kSeededHistory =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\n"
    "\"a\"=\"cmd\\\\1\"\n"
    "\"MRUList\"=\"bca\"\n"
    "\"b\"=\"notepad\\\\1\"\n"
    "\"c\"=\"calc\\\\1\"\n\n";

QStringList withDesignItems(const QStringList& more)
{
    return RunBox::designItems() + more;
}

class RunBoxHistory : public ConfigFolder
{
};

TEST_F(RunBoxHistory, FirstStartListsTheFiveToolsAndCreatesTheKey)
{
    RunBox box(platform());
    box.loadHistory();
    EXPECT_EQ(box.items(), RunBox::designItems());
    EXPECT_EQ(RunBox::designItems(),
              (QStringList{QStringLiteral("regedit"), QStringLiteral("dxdiag"), QStringLiteral("msconfig"),
                           QStringLiteral("cmd"), QStringLiteral("explorer")}));
    EXPECT_TRUE(registryText().contains(
        QStringLiteral("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]")));
}

TEST_F(RunBoxHistory, SystemEntriesLoseTheirMarkerAndRepeatsOfItemsAndMruListAreLeftOut)
{
    writeFile(QStringLiteral("registry.reg"), kSeededHistory);
    RunBox box(platform());
    box.loadHistory();
    // "cmd" is a design item already; "MRUList" is never an item.
    EXPECT_EQ(box.items(), withDesignItems({QStringLiteral("notepad"), QStringLiteral("calc")}));
}

TEST_F(RunBoxHistory, NewCommandIsRememberedWithTheValueCountAndComesBackAtTheNextStart)
{
    writeFile(QStringLiteral("registry.reg"), kSeededHistory);
    {
        RunBox box(platform());
        box.loadHistory();
        EXPECT_TRUE(box.run(RunBox::InitialText));
        EXPECT_EQ(box.items().last(), QStringLiteral("taskmgr"));
    }
    // The key held four values, "MRUList" included.
    EXPECT_TRUE(registryText().contains(QStringLiteral("\"Brund_4\"=\"taskmgr:)\""))) << registryText().toStdString();
    EXPECT_TRUE(registryText().contains(QStringLiteral("\"MRUList\"=\"bca\"")));

    restart();
    RunBox box(platform());
    box.loadHistory();
    EXPECT_EQ(box.items(), withDesignItems({QStringLiteral("notepad"), QStringLiteral("calc"), RunBox::InitialText}));
}

TEST_F(RunBoxHistory, KnownCommandWritesNothing)
{
    RunBox box(platform());
    box.loadHistory();
    const QString before = registryText();
    EXPECT_FALSE(box.run(QStringLiteral("regedit")));
    EXPECT_EQ(box.items(), RunBox::designItems());
    EXPECT_EQ(registryText(), before);
}

TEST_F(RunBoxHistory, CommandsDifferingInCaseAreSeparateItems)
{
    RunBox box(platform());
    EXPECT_TRUE(box.run(QStringLiteral("CMD")));
    EXPECT_TRUE(box.run(QStringLiteral("Cmd")));
    EXPECT_FALSE(box.run(QStringLiteral("CMD")));
    EXPECT_EQ(box.items(), withDesignItems({QStringLiteral("CMD"), QStringLiteral("Cmd")}));
    EXPECT_EQ(RunHistory(platform()).commands(), (QStringList{QStringLiteral("CMD"), QStringLiteral("Cmd")}));
}

TEST_F(RunBoxHistory, EmptyBoxAddsAnEmptyItemOnce)
{
    RunBox box(platform());
    EXPECT_TRUE(box.run(QString()));
    EXPECT_FALSE(box.run(QString()));
    EXPECT_EQ(box.items(), withDesignItems({QString()}));
    EXPECT_TRUE(registryText().contains(QStringLiteral("\"Brund_0\"=\":)\""))) << registryText().toStdString();
}

TEST_F(RunBoxHistory, TakenNumberIsPassedOverSoNoEarlierCommandIsLost)
{
    // Three values were written, then the system dropped "a": the count is 2 again, and "Brund_2" is taken.
    writeFile(QStringLiteral("registry.reg"),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\n"
              "\"MRUList\"=\"a\"\n"
              "\"Brund_2\"=\"first:)\"\n\n");
    RunHistory history(platform());
    EXPECT_EQ(history.remember(QStringLiteral("second")), QStringLiteral("Brund_3"));
    EXPECT_EQ(history.remember(QStringLiteral("third")), QStringLiteral("Brund_4"));
    EXPECT_EQ(history.commands(),
              (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
}

TEST_F(RunBoxHistory, ShortDataReadsAsEmpty)
{
    writeFile(QStringLiteral("registry.reg"),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\n"
              "\"a\"=\"xy\"\n"
              "\"b\"=\"z\"\n\n");
    EXPECT_EQ(RunHistory(platform()).commands(), (QStringList{QString(), QString()}));
    RunBox box(platform());
    box.loadHistory();
    EXPECT_EQ(box.items(), withDesignItems({QString()}));
}

class RunHistoryRoundTrip : public ConfigFolder, public testing::WithParamInterface<const char*>
{
};

TEST_P(RunHistoryRoundTrip, CommandComesBackExactlyAfterARestart)
{
    const QString command = QString::fromUtf8(GetParam());
    RunBox(platform()).run(command);
    restart();
    RunBox box(platform());
    box.loadHistory();
    EXPECT_EQ(box.items(), withDesignItems({command}));
    EXPECT_TRUE(m_notices.empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, RunHistoryRoundTrip,
                         testing::Values("C:\\Program Files\\tool.exe", "say \"hi\"", "ends with a backslash\\",
                                         "line one\nline two", "cr\rhere", " blanks around ", "диспетчер задач",
                                         "; touch FILE", "$(touch FILE)", "`id`", "a | b && c", "-leading-dash",
                                         "name=value", "[not a key]", "50% \\n not a break", "x:)"));

class RunHistoryUnwritable : public UnwritableFolder
{
};

TEST_F(RunHistoryUnwritable, FailedWriteIsReportedAndTheItemIsNotAdded)
{
    RunBox box(platform());
    try {
        box.run(QStringLiteral("taskmgr"));
        FAIL() << "the write was taken as done";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Failed to set data for 'Brund_0'"));
    }
    EXPECT_EQ(box.items(), RunBox::designItems());
}

TEST(RunBoxLook, CheckedBoxInvertsTheColours)
{
    const RunBox::Look inverted = RunBox::look(true);
    EXPECT_EQ(inverted.checkCaption, QStringLiteral("2"));
    EXPECT_EQ(inverted.background, 0);
    EXPECT_EQ(inverted.text, 16777215);
    const RunBox::Look plain = RunBox::look(false);
    EXPECT_EQ(plain.checkCaption, QStringLiteral("1"));
    EXPECT_EQ(plain.background, 16777215);
    EXPECT_EQ(plain.text, 0);
}

} // namespace
