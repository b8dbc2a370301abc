#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <map>

#include "app/tapplication.h"
#include "filesizelimit.h"
#include "forms/companiongroup.h"
#include "forms/notepadgroup.h"
#include "testworld.h"
#include "ui_CompanionGroup.h"
#include "ui_HelpPage.h"
#include "ui_MainPage.h"
#include "ui_NotepadGroup.h"

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file of the folder with its bytes; lock files are left out, since taking a lock may create one.
std::map<QString, QByteArray> folderContents(const QString& dir)
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!name.endsWith(QLatin1String(".lock")))
            files[name] = fileBytes(QDir(dir).filePath(name));
    }
    return files;
}

Ui::CompanionGroup& companions(TestWorld& world)
{
    return world.mainPage().CompanionPanel->form();
}

void applyCompanion(TestWorld& world, const QString& path)
{
    QComboBox* box = companions(world).ComboBox7;
    box->setEditText(path);
    QTest::mouseClick(companions(world).ApplyButton, Qt::LeftButton);
}

QStringList companionItems(TestWorld& world)
{
    QStringList items;
    for (int i = 0; i < companions(world).ComboBox7->count(); ++i)
        items << companions(world).ComboBox7->itemText(i);
    return items;
}

void enterHelp(TestWorld& world, const QString& type, const QString& name, const QString& definition)
{
    world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
    world.helpPage().PageControl1->setCurrentWidget(world.helpPage().TabSheet1);
    world.helpPage().Edit3->setText(type);
    world.helpPage().Edit4->setText(name);
    world.helpPage().Memo1->setPlainText(definition);
    QTest::mouseClick(world.helpPage().Button5, Qt::LeftButton);
}

QString notepadFile(TestWorld& world)
{
    return QDir(world.configDir()).filePath(QStringLiteral("заметка.rtf"));
}

void saveNotepad(TestWorld& world, const QString& text)
{
    world.helpPage().NotepadPanel->form().RichEdit1->setPlainText(text);
    Dialogs::Reply reply;
    reply.path = notepadFile(world);
    world.dialogs.answerNext(reply);
    QTest::mouseClick(world.helpPage().NotepadPanel->form().SpeedButton11, Qt::LeftButton);
}

// A user's action that writes one of the program's files, and how the window looks when that write failed.
struct Case
{
    const char* name;
    /// The file the action rewrites, in the config folder.
    QString file;
    /// Gives the file something to lose.
    std::function<void(TestWorld&)> prepare;
    std::function<void(TestWorld&)> act;
    QString report;
    /// Whether the window shows the state from before the failed action.
    std::function<bool(TestWorld&)> keptItsState;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all{
        {"help dictionary entry", QStringLiteral("help.ini"),
         [](TestWorld& world) {
             enterHelp(world, QStringLiteral("Старое"), QStringLiteral("слово"), QStringLiteral("было"));
         },
         [](TestWorld& world) {
             world.helpPage().z1->setChecked(true);
             enterHelp(world, QStringLiteral("Тип"), QStringLiteral("имя"), QStringLiteral("определение"));
         },
         QStringLiteral("Unable to write to help.ini."),
         [](TestWorld& world) { return world.helpPage().Edit3->text() == QStringLiteral("Тип"); }},
        {"companion list", QStringLiteral("start.ini"),
         [](TestWorld& world) { applyCompanion(world, QStringLiteral("/usr/bin/старая")); },
         [](TestWorld& world) { applyCompanion(world, QStringLiteral("/usr/bin/новая")); },
         QStringLiteral("Unable to write to start.ini."),
         [](TestWorld& world) { return companionItems(world) == QStringList{QStringLiteral("/usr/bin/старая")}; }},
        {"start in the tray switch", QStringLiteral("registry.reg"), [](TestWorld&) {},
         [](TestWorld& world) { QTest::mouseClick(world.mainPage().CheckBox7, Qt::LeftButton); },
         QStringLiteral("Failed to set data for 'vtrey'"), [](TestWorld&) { return true; }},
        {"notepad save of a short text", QStringLiteral("заметка.rtf"),
         [](TestWorld& world) { saveNotepad(world, QStringLiteral("старая заметка")); },
         [](TestWorld& world) { saveNotepad(world, QStringLiteral("новая заметка, чуть длиннее")); },
         QStringLiteral("Failed to Save Stream."), [](TestWorld&) { return true; }},
    };
    return all;
}

} // namespace

// A disk that fills up while the program writes one of its files: the write is reported the way the program
// reports a failed write, and every file of the folder keeps its bytes; once there is room again the same action
// goes through.
class FullDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteIsReportedAndChangesNoFile_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < cases().size(); ++i)
            QTest::newRow(cases()[i].name) << int(i);
    }

    void failedWriteIsReportedAndChangesNoFile()
    {
        QFETCH(int, row);
        const Case& test = cases()[std::size_t(row)];
        TestWorld world;
        QVERIFY(world.start());
        test.prepare(world);
        QCOMPARE(world.dialogs.errors(), QStringList());
        const QString path = QDir(world.configDir()).filePath(test.file);
        const std::map<QString, QByteArray> before = folderContents(world.configDir());
        QVERIFY(before.count(test.file));

        {
            FileSizeLimit full(QFileInfo(path).size() / 2);
            QVERIFY(full.set());
            test.act(world);
        }
        QCOMPARE(world.dialogs.errors(), QStringList{test.report});
        QVERIFY(folderContents(world.configDir()) == before);
        QVERIFY(test.keptItsState(world));

        world.dialogs.clear();
        test.act(world);
        QCOMPARE(world.dialogs.errors(), QStringList());
        QVERIFY(fileBytes(path) != before.at(test.file));
    }
};

TROMBUS_GUI_TEST_MAIN(FullDiskTest)
#include "fulldisk_test.moc"
