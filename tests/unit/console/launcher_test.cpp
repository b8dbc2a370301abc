#include <gtest/gtest.h>

#include "common/errors.h"
#include "console/launcherlist.h"
#include "console/launcherlook.h"
#include "console/launcherstore.h"

#include "unit/console/configfolder.h"

void PrintTo(const LauncherEntry& entry, std::ostream* out)
{
    *out << '{' << entry.label.toStdString() << " -> " << entry.path.toStdString() << '}';
}

namespace {

QString automatic(int number)
{
    return QStringLiteral("Программа_") + QString::number(number);
}

class Launcher : public ConfigFolder
{
protected:
    // Adds an entry the way the user does: a file chosen, then a label accepted.
    QString add(LauncherList& list, const QString& path, const QString& typed = QString())
    {
        EXPECT_TRUE(list.beginAdd(path));
        return list.acceptLabel(typed);
    }
};

TEST_F(Launcher, FirstReloadCreatesTheKeyUnderTheSettingsKey)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    EXPECT_TRUE(list.entries().isEmpty());
    EXPECT_EQ(list.NextProgramNumber(), 1);
    EXPECT_EQ(list.automaticLabel(), automatic(1));
    EXPECT_TRUE(registryText().contains(QStringLiteral("[HKEY_CURRENT_USER\\Software\\Windows\\Microsoft\\Policies\\"
                                                       "CurrentVersion\\System\\Brund\\Trombus\\MyProgi]")))
        << registryText().toStdString();
}

TEST_F(Launcher, EntriesAreValuesOfTheKeyInTheOrderWritten)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    EXPECT_EQ(add(list, QStringLiteral("/usr/bin/zeta"), QStringLiteral("Zeta")), QStringLiteral("Zeta"));
    EXPECT_EQ(add(list, QStringLiteral("/usr/bin/alpha"), QStringLiteral("Альфа")), QStringLiteral("Альфа"));
    EXPECT_TRUE(registryText().contains(QStringLiteral("\"Альфа\"=\"/usr/bin/alpha\"")))
        << registryText().toStdString();

    restart();
    LauncherList again(platform());
    again.ReloadLauncherList();
    EXPECT_EQ(again.entries(), (QList<LauncherEntry>{{QStringLiteral("Zeta"), QStringLiteral("/usr/bin/zeta")},
                                                     {QStringLiteral("Альфа"), QStringLiteral("/usr/bin/alpha")}}));
    EXPECT_EQ(again.NextProgramNumber(), 3);
}

TEST_F(Launcher, ThreeEntriesProposeTheFourthNumber)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    for (const char* label : {"one", "two", "three"})
        add(list, QStringLiteral("/bin/true"), QString::fromUtf8(label));
    EXPECT_EQ(list.automaticLabel(), automatic(4));
}

TEST_F(Launcher, EmptyLabelStoresUnderTheAutomaticLabel)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    EXPECT_EQ(add(list, QStringLiteral("/opt/a")), automatic(1));
    EXPECT_EQ(add(list, QStringLiteral("/opt/b")), automatic(2));
    EXPECT_EQ(list.entries(), (QList<LauncherEntry>{{automatic(1), QStringLiteral("/opt/a")},
                                                    {automatic(2), QStringLiteral("/opt/b")}}));
}

TEST_F(Launcher, CancelledFileChoiceStoresNothing)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    EXPECT_FALSE(list.beginAdd(QString()));
    list.ReloadLauncherList();
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST_F(Launcher, AutomaticLabelAfterADeletionNeverReplacesAnotherEntry)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    add(list, QStringLiteral("/opt/first"));
    add(list, QStringLiteral("/opt/second"));
    list.select(automatic(1));
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(list.NextProgramNumber(), 2);
    // "Программа_2" is still the second entry's label: the proposal passes over it.
    EXPECT_EQ(list.automaticLabel(), automatic(3));
    EXPECT_EQ(add(list, QStringLiteral("/opt/third")), automatic(3));
    EXPECT_EQ(list.entries(), (QList<LauncherEntry>{{automatic(2), QStringLiteral("/opt/second")},
                                                    {automatic(3), QStringLiteral("/opt/third")}}));
}

TEST_F(Launcher, TypedLabelOfAnExistingEntryReplacesItsPathWhateverTheCase)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    add(list, QStringLiteral("/old"), QStringLiteral("Editor"));
    add(list, QStringLiteral("/new"), QStringLiteral("EDITOR"));
    ASSERT_EQ(list.entries().size(), 1);
    EXPECT_EQ(list.entries().front().path, QStringLiteral("/new"));
}

TEST_F(Launcher, DeleteWithoutSelectionDeletesNothing)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    add(list, QStringLiteral("/opt/a"));
    EXPECT_FALSE(list.deleteSelected());
    EXPECT_EQ(list.entries().size(), 1);
    EXPECT_EQ(LauncherStore(platform()).entries().size(), 1);
}

TEST_F(Launcher, SelectionOutlivesReloadAndDeletion)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    add(list, QStringLiteral("/opt/a"), QStringLiteral("a"));
    add(list, QStringLiteral("/opt/b"), QStringLiteral("b"));
    list.select(QStringLiteral("a"));
    list.ReloadLauncherList();
    EXPECT_EQ(list.SelectedLauncherLabel(), QStringLiteral("a"));
    EXPECT_EQ(list.launchTarget(), QStringLiteral("/opt/a"));

    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(list.SelectedLauncherLabel(), QStringLiteral("a"));
    EXPECT_EQ(list.entries(), (QList<LauncherEntry>{{QStringLiteral("b"), QStringLiteral("/opt/b")}}));
    // The deleted entry has no path: nothing is started, and no error is shown.
    EXPECT_EQ(list.launchTarget(), QString());
    // Deleting it again finds nothing and says nothing.
    EXPECT_TRUE(list.deleteSelected());
    EXPECT_EQ(list.entries().size(), 1);
}

TEST_F(Launcher, LaunchNeedsASelectionAndEntries)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    EXPECT_EQ(list.launchTarget(), std::nullopt);
    list.select(QStringLiteral("ghost"));
    EXPECT_EQ(list.launchTarget(), std::nullopt);
    add(list, QStringLiteral("/opt/a"), QStringLiteral("real"));
    EXPECT_EQ(list.launchTarget(), QString());
    list.select(QStringLiteral("REAL"));
    EXPECT_EQ(list.launchTarget(), QStringLiteral("/opt/a"));
}

TEST_F(Launcher, ChangesByAnotherProgramShowAtTheNextReload)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    LauncherStore(platform()).store(QStringLiteral("outside"), QStringLiteral("/x"));
    EXPECT_TRUE(list.entries().isEmpty());
    list.ReloadLauncherList();
    EXPECT_EQ(list.entries().size(), 1);
}

struct StoredEntry
{
    const char* name;
    const char* label;
    const char* path;
};

class LauncherRoundTrip : public ConfigFolder, public testing::WithParamInterface<StoredEntry>
{
};

TEST_P(LauncherRoundTrip, LabelAndPathComeBackExactlyAfterARestart)
{
    const LauncherEntry entry{QString::fromUtf8(GetParam().label), QString::fromUtf8(GetParam().path)};
    LauncherList list(platform());
    list.ReloadLauncherList();
    ASSERT_TRUE(list.beginAdd(entry.path));
    EXPECT_EQ(list.acceptLabel(entry.label), entry.label);
    restart();
    LauncherList again(platform());
    again.ReloadLauncherList();
    EXPECT_EQ(again.entries(), QList<LauncherEntry>{entry});
    again.select(entry.label);
    EXPECT_EQ(again.launchTarget(), entry.path);
    EXPECT_TRUE(m_notices.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, LauncherRoundTrip,
                         testing::Values(StoredEntry{"plain", "Блокнот", "/usr/bin/gedit"},
                                         StoredEntry{"windowsPath", "win", "C:\\Program Files\\App\\app.exe"},
                                         StoredEntry{"equalsSign", "a=b", "/tmp/a=b.sh"},
                                         StoredEntry{"quotes", "say \"hi\"", "/tmp/\"q\""},
                                         StoredEntry{"backslashAtEnd", "slash\\", "C:\\"},
                                         StoredEntry{"lineBreaks", "two\nlines", "/tmp/odd\nname"},
                                         StoredEntry{"blanksAround", "  spaced  ", " /tmp/lead"},
                                         StoredEntry{"sectionLike", "[MyProgi]", "[x]"},
                                         StoredEntry{"commentLike", ";c", ";p"},
                                         StoredEntry{"shellText", "$(touch FILE)", "; touch FILE"}),
                         [](const testing::TestParamInfo<StoredEntry>& info) { return std::string(info.param.name); });

class LauncherUnwritable : public UnwritableFolder
{
};

TEST_F(LauncherUnwritable, FailedWriteNamesTheLabel)
{
    LauncherList list(platform());
    list.ReloadLauncherList();
    ASSERT_TRUE(list.beginAdd(QStringLiteral("/opt/a")));
    try {
        list.acceptLabel(QStringLiteral("Мой"));
        FAIL() << "the write was taken as done";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Failed to set data for 'Мой'"));
    }
}

TEST(LauncherLook, RadioButtonsChooseReportListSmallAndLargeIcons)
{
    EXPECT_EQ(LauncherLook::styleOfRadio(1), LauncherViewStyle::Report);
    EXPECT_EQ(LauncherLook::styleOfRadio(2), LauncherViewStyle::List);
    EXPECT_EQ(LauncherLook::styleOfRadio(3), LauncherViewStyle::SmallIcons);
    EXPECT_EQ(LauncherLook::styleOfRadio(4), LauncherViewStyle::LargeIcons);
}

TEST(LauncherLook, StoredStyleOutsideTheFourNamesNone)
{
    EXPECT_EQ(LauncherLook::storedStyle(0), LauncherViewStyle::LargeIcons);
    EXPECT_EQ(LauncherLook::storedStyle(1), LauncherViewStyle::SmallIcons);
    EXPECT_EQ(LauncherLook::storedStyle(2), LauncherViewStyle::List);
    EXPECT_EQ(LauncherLook::storedStyle(3), LauncherViewStyle::Report);
    EXPECT_EQ(LauncherLook::storedStyle(4), std::nullopt);
    EXPECT_EQ(LauncherLook::storedStyle(-1), std::nullopt);
}

TEST(LauncherLook, ChosenFontChangesEverythingButTheTypeface)
{
    QFont current(QStringLiteral("MS Sans Serif"));
    current.setPointSize(8);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSize(14);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);

    const QFont taken = LauncherLook::takeChosenFont(current, chosen);
    EXPECT_EQ(taken.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(taken.pointSize(), 14);
    EXPECT_TRUE(taken.bold());
    EXPECT_TRUE(taken.italic());
    EXPECT_TRUE(taken.underline());
    EXPECT_FALSE(taken.strikeOut());

    QFont plain(QStringLiteral("Other"));
    plain.setPixelSize(20);
    const QFont back = LauncherLook::takeChosenFont(taken, plain);
    EXPECT_EQ(back.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(back.pixelSize(), 20);
    EXPECT_FALSE(back.bold());
    EXPECT_FALSE(back.italic());
    EXPECT_FALSE(back.underline());
}

} // namespace
