#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTreeView>

#include "app/tapplication.h"
#include "console/launchercontroller.h"
#include "console/launcherstore.h"
#include "forms/launchergroup.h"
#include "recordingopener.h"
#include "testworld.h"
#include "ui_LauncherGroup.h"
#include "ui_MainPage.h"

namespace {

QString automatic(int number)
{
    return QStringLiteral("Программа_") + QString::number(number);
}

struct LauncherWorld
{
    explicit LauncherWorld(const QString& configDir = {}) : world({}, configDir)
    {
        world.platform->replace<platform::Opener>(opener);
    }
    /// Starts the program with the main page in front; false when the window never came up.
    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
        return true;
    }
    Ui::LauncherGroup& group() { return world.mainPage().LauncherPanel->form(); }
    TListView* list() { return group().LV1; }
    LauncherController& controller() { return world.features().launcher(); }
    QList<QStringList> rows()
    {
        QList<QStringList> result;
        for (int row = 0; row < list()->count(); ++row)
            result << QStringList{list()->text(row, 0), list()->text(row, 1)};
        return result;
    }
    void storeEntry(const QString& label, const QString& path) { world.store(label, path, LauncherStore::KeyPath); }
    QString storedPath(const QString& label) { return world.stored(label, LauncherStore::KeyPath); }
    QStringList storedLabels() { return world.storedNames(LauncherStore::KeyPath); }

    /// Chooses the file in the add dialog; true when the label panel came up for it with the proposal.
    [[nodiscard]] bool chooseFile(const QString& path)
    {
        Dialogs::Reply reply;
        reply.path = path;
        world.dialogs.answerNext(reply);
        QTest::mouseClick(group().AddButton, Qt::LeftButton);
        return group().Panel8->isVisible() && group().Label68->toPlainText() == path &&
               group().Edit6->text() == controller().list().automaticLabel();
    }
    /// Types a label (a click into the edit clears the proposal) and presses Enter.
    void typeLabel(const QString& latinLabel)
    {
        QTest::mouseClick(group().Edit6, Qt::LeftButton);
        QTest::keyClicks(group().Edit6, latinLabel);
        QTest::keyClick(group().Edit6, Qt::Key_Return);
    }
    void select(int row)
    {
        QTreeView* view = list()->reportView();
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    QAction* menuItem(const QString& caption)
    {
        for (QAction* action : controller().contextMenu()->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }
    bool errorShown() { return !world.ui().ErroR->isHidden(); }

    TestWorld world;
    std::shared_ptr<OpenerRecorder> opener = std::make_shared<OpenerRecorder>();
};

enum class Trigger
{
    Button,
    Menu,
    Key,
    DoubleClick,
};

} // namespace

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(TListView::ViewStyle)

class LauncherTest : public QObject
{
    Q_OBJECT

private slots:
    void groupLooksAsDesigned()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        Ui::LauncherGroup& group = launcher.group();
        QCOMPARE(group.LauncherBox->title(), QStringLiteral("Мои ПРОГИ"));
        QCOMPARE(launcher.list()->columns(), (QStringList{QStringLiteral("МЕТКА"), QStringLiteral("ПУТЬ")}));
        QCOMPARE(launcher.list()->columnWidth(0), 121);
        QCOMPARE(launcher.list()->viewStyle(), TListView::ViewStyle::Report);
        QCOMPARE(launcher.list()->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(launcher.list()->font().pointSize(), 8);
        QCOMPARE(launcher.list()->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(launcher.list()->gridLines());
        QCOMPARE(group.LaunchButton->toolTip(), QStringLiteral("запустить"));
        QCOMPARE(group.AddButton->toolTip(), QStringLiteral("Добавить в список"));
        QCOMPARE(group.DeleteButton->toolTip(), QStringLiteral("удалить из списка"));
        QCOMPARE(group.SettingsButton->toolTip(), QStringLiteral("настроить список"));
        for (QToolButton* button : {group.LaunchButton, group.AddButton, group.DeleteButton, group.SettingsButton})
            QVERIFY(!button->icon().isNull());
        QCOMPARE(group.Label65->text(), QStringLiteral("ОТК"));
        QCOMPARE(group.Label66->text(), QString());
        QVERIFY(group.Panel6->isHidden());
        QVERIFY(group.Panel8->isHidden());
        QVERIFY(group.vid_1->isChecked());
        QStringList menu;
        for (QAction* action : launcher.controller().contextMenu()->actions())
            menu << action->text();
        QCOMPARE(menu, (QStringList{QStringLiteral("Запустить"), QStringLiteral("Добавить"), QStringLiteral("Удалить"),
                                    QStringLiteral("Настройки")}));
        // "B1" is there to be clicked from code only.
        QVERIFY(!group.LauncherBox->rect().intersects(group.B1->geometry()));
        // The first activation made the key.
        QVERIFY(launcher.world.keyExists(LauncherStore::KeyPath));
    }

    void addedProgramIsListedUnderTheTypedLabel()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        QVERIFY(launcher.chooseFile(QStringLiteral("/usr/bin/gedit")));
        QCOMPARE(launcher.group().Edit6->text(), automatic(1));
        // Focused with the proposal selected, so typing replaces it.
        QCOMPARE(QApplication::focusWidget(), launcher.group().Edit6);
        QCOMPARE(launcher.group().Edit6->selectedText(), automatic(1));
        launcher.typeLabel(QStringLiteral("Editor"));
        QVERIFY(launcher.group().Panel8->isHidden());
        QCOMPARE(launcher.rows(), (QList<QStringList>{{QStringLiteral("Editor"), QStringLiteral("/usr/bin/gedit")}}));
        QCOMPARE(launcher.storedPath(QStringLiteral("Editor")), QStringLiteral("/usr/bin/gedit"));
        QVERIFY(launcher.world.dialogs.requests.front().filter.isEmpty());
        QVERIFY(launcher.world.dialogs.requests.front().text.isEmpty());
    }

    void automaticLabels_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("proposal");
        QTest::newRow("empty list") << QStringList{} << automatic(1);
        QTest::newRow("three entries") << QStringList{"a", "b", "c"} << automatic(4);
        // After the first of two automatic labels was deleted, the count proposes the second's label again:
        // the proposal passes over it rather than replace that entry.
        QTest::newRow("number taken") << QStringList{automatic(2)} << automatic(3);
    }

    void automaticLabels()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, proposal);
        LauncherWorld launcher;
        for (const QString& label : stored)
            launcher.storeEntry(label, QStringLiteral("/opt/") + label);
        QVERIFY(launcher.start());
        QVERIFY(launcher.chooseFile(QStringLiteral("/opt/new")));
        QCOMPARE(launcher.group().Edit6->text(), proposal);
        // "Выбрать автоматически" brings the proposal back after typing.
        QTest::keyClicks(launcher.group().Edit6, QStringLiteral("x"));
        QTest::mouseClick(launcher.group().AutoLabelButton, Qt::LeftButton);
        QCOMPARE(launcher.group().Edit6->text(), proposal);
        // An empty label is stored under the proposal.
        launcher.group().Edit6->clear();
        QTest::mouseClick(launcher.group().AcceptLabelButton, Qt::LeftButton);
        QCOMPARE(launcher.storedPath(proposal), QStringLiteral("/opt/new"));
        QCOMPARE(launcher.storedLabels().size(), stored.size() + 1);
        QCOMPARE(launcher.list()->count(), int(stored.size()) + 1);
    }

    void cancelledFileChoiceChangesNothing()
    {
        LauncherWorld launcher;
        launcher.storeEntry(QStringLiteral("one"), QStringLiteral("/opt/one"));
        QVERIFY(launcher.start());
        launcher.world.dialogs.answerNo();
        QTest::mouseClick(launcher.group().AddButton, Qt::LeftButton);
        QCOMPARE(launcher.world.dialogs.requests.size(), 1);
        QVERIFY(launcher.group().Panel8->isHidden());
        QVERIFY(launcher.group().Panel6->isHidden());
        QCOMPARE(launcher.rows(), (QList<QStringList>{{QStringLiteral("one"), QStringLiteral("/opt/one")}}));
        QCOMPARE(launcher.storedLabels(), QStringList{QStringLiteral("one")});
    }

    void launchStartsTheSelectedPath_data()
    {
        QTest::addColumn<Trigger>("trigger");
        QTest::newRow("button") << Trigger::Button;
        QTest::newRow("menu") << Trigger::Menu;
        QTest::newRow("Enter") << Trigger::Key;
        QTest::newRow("double-click") << Trigger::DoubleClick;
    }

    void launchStartsTheSelectedPath()
    {
        QFETCH(Trigger, trigger);
        const QString shellText = QStringLiteral("; touch FILE $(touch FILE)");
        LauncherWorld launcher;
        launcher.storeEntry(QStringLiteral("first"), QStringLiteral("/opt/first"));
        launcher.storeEntry(QStringLiteral("odd"), shellText);
        QVERIFY(launcher.start());
        launcher.select(1);
        QCOMPARE(launcher.group().Label66->text(), QStringLiteral("odd"));
        switch (trigger) {
        case Trigger::Button:
            QTest::mouseClick(launcher.group().LaunchButton, Qt::LeftButton);
            break;
        case Trigger::Menu:
            launcher.menuItem(QStringLiteral("Запустить"))->trigger();
            break;
        case Trigger::Key:
            QTest::keyClick(launcher.list()->reportView(), Qt::Key_Return);
            break;
        case Trigger::DoubleClick:
            QTest::mouseDClick(launcher.list()->reportView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                               launcher.list()
                                   ->reportView()
                                   ->visualRect(launcher.list()->reportView()->model()->index(1, 0))
                                   .center());
            break;
        }
        QCOMPARE(launcher.opener->opened, QStringList{shellText});
        QVERIFY(!launcher.errorShown());
    }

    void deleteRemovesTheSelectedEntryAtOnce_data()
    {
        QTest::addColumn<Trigger>("trigger");
        QTest::newRow("button") << Trigger::Button;
        QTest::newRow("menu") << Trigger::Menu;
        QTest::newRow("Delete key") << Trigger::Key;
    }

    void deleteRemovesTheSelectedEntryAtOnce()
    {
        QFETCH(Trigger, trigger);
        LauncherWorld launcher;
        launcher.storeEntry(QStringLiteral("first"), QStringLiteral("/opt/first"));
        launcher.storeEntry(QStringLiteral("second"), QStringLiteral("/opt/second"));
        QVERIFY(launcher.start());
        launcher.select(0);
        switch (trigger) {
        case Trigger::Button:
            QTest::mouseClick(launcher.group().DeleteButton, Qt::LeftButton);
            break;
        case Trigger::Menu:
            launcher.menuItem(QStringLiteral("Удалить"))->trigger();
            break;
        case Trigger::Key:
        case Trigger::DoubleClick:
            QTest::keyClick(launcher.list()->reportView(), Qt::Key_Delete);
            break;
        }
        QVERIFY(launcher.world.dialogs.requests.isEmpty());
        QCOMPARE(launcher.rows(), (QList<QStringList>{{QStringLiteral("second"), QStringLiteral("/opt/second")}}));
        QCOMPARE(launcher.storedLabels(), QStringList{QStringLiteral("second")});
        // The label of the deleted entry stays shown; launching it now starts nothing and says nothing.
        QCOMPARE(launcher.group().Label66->text(), QStringLiteral("first"));
        QTest::mouseClick(launcher.group().LaunchButton, Qt::LeftButton);
        QVERIFY(launcher.opener->opened.isEmpty());
        QVERIFY(!launcher.errorShown());
    }

    void nothingSelectedShowsTheErrorIndicator_data()
    {
        QTest::addColumn<bool>("launch");
        QTest::addColumn<bool>("withEntries");
        QTest::newRow("launch, empty list") << true << false;
        QTest::newRow("launch, nothing selected") << true << true;
        QTest::newRow("delete, nothing selected") << false << true;
        QTest::newRow("delete, empty list") << false << false;
    }

    void nothingSelectedShowsTheErrorIndicator()
    {
        QFETCH(bool, launch);
        QFETCH(bool, withEntries);
        LauncherWorld launcher;
        if (withEntries)
            launcher.storeEntry(QStringLiteral("only"), QStringLiteral("/opt/only"));
        QVERIFY(launcher.start());
        QVERIFY(!launcher.errorShown());
        QTest::mouseClick(launch ? launcher.group().LaunchButton : launcher.group().DeleteButton, Qt::LeftButton);
        QVERIFY(launcher.errorShown());
        QVERIFY(launcher.opener->opened.isEmpty());
        QCOMPARE(launcher.storedLabels().size(), withEntries ? 1 : 0);
        QVERIFY(launcher.world.dialogs.requests.isEmpty());
        // Moving the mouse over the group hides it again.
        QWidget* box = launcher.group().LauncherBox;
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 60), box->mapToGlobal(QPointF(2, 60)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &move);
        QVERIFY(!launcher.errorShown());
    }

    void launchAfterAnEmptyClickUsesTheLabelChosenLast()
    {
        LauncherWorld launcher;
        launcher.storeEntry(QStringLiteral("only"), QStringLiteral("/opt/only"));
        QVERIFY(launcher.start());
        launcher.select(0);
        QTreeView* view = launcher.list()->reportView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, view->viewport()->height() - 3));
        QCOMPARE(launcher.group().Label66->text(), QStringLiteral("only"));
        QTest::mouseClick(launcher.group().LaunchButton, Qt::LeftButton);
        QCOMPARE(launcher.opener->opened, QStringList{QStringLiteral("/opt/only")});
    }

    void settingsPanelOpensAndClosesFromItsThreeControls()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        Ui::LauncherGroup& group = launcher.group();
        QTest::mouseClick(group.SettingsButton, Qt::LeftButton);
        QVERIFY(group.Panel6->isVisible());
        QCOMPARE(group.Panel6->geometry(), launcher.list()->geometry());
        QTest::mouseClick(group.Panel7, Qt::LeftButton);
        QVERIFY(group.Panel6->isHidden());
        launcher.menuItem(QStringLiteral("Настройки"))->trigger();
        QVERIFY(group.Panel6->isVisible());
        // A miss beside the buttons.
        QTest::mouseClick(group.Panel6, Qt::LeftButton, Qt::NoModifier, QPoint(group.Panel6->width() / 2, 92));
        QCOMPARE(launcher.world.dialogs.messages(), QStringList{QStringLiteral("Чо в кнопку не попасть!")});
        QVERIFY(group.Panel6->isVisible());
        // Every activation closes it.
        QVERIFY(returnToMainWindow(launcher.world, launcher.world.form1().aboutWindow()));
        QVERIFY(group.Panel6->isHidden());
    }

    void radioButtonsChooseTheViewStyle_data()
    {
        QTest::addColumn<int>("radio");
        QTest::addColumn<TListView::ViewStyle>("style");
        QTest::newRow("вид_1") << 1 << TListView::ViewStyle::Report;
        QTest::newRow("вид_2") << 2 << TListView::ViewStyle::List;
        QTest::newRow("вид_3") << 3 << TListView::ViewStyle::SmallIcon;
        QTest::newRow("вид_4") << 4 << TListView::ViewStyle::Icon;
    }

    void radioButtonsChooseTheViewStyle()
    {
        QFETCH(int, radio);
        QFETCH(TListView::ViewStyle, style);
        LauncherWorld launcher;
        launcher.storeEntry(QStringLiteral("only"), QStringLiteral("/opt/only"));
        QVERIFY(launcher.start());
        Ui::LauncherGroup& group = launcher.group();
        QTest::mouseClick(group.SettingsButton, Qt::LeftButton);
        // From another style, so that every radio button is a change.
        QRadioButton* radios[] = {group.vid_1, group.vid_2, group.vid_3, group.vid_4};
        QTest::mouseClick(radios[radio == 1 ? 1 : 0], Qt::LeftButton);
        QTest::mouseClick(radios[radio - 1], Qt::LeftButton);
        QCOMPARE(launcher.list()->viewStyle(), style);
        const bool report = style == TListView::ViewStyle::Report;
        QCOMPARE(launcher.list()->currentView(),
                 report ? static_cast<QWidget*>(launcher.list()->reportView()) : launcher.list()->iconView());
        if (!report) {
            QListView* icons = launcher.list()->iconView();
            QCOMPARE(icons->viewMode(),
                     style == TListView::ViewStyle::Icon ? QListView::IconMode : QListView::ListMode);
            QCOMPARE(icons->iconSize().width(), style == TListView::ViewStyle::Icon ? 32 : 16);
            // The same row, selected in one style, is selected in the other.
            launcher.list()->selectRow(0);
            QCOMPARE(group.Label66->text(), QStringLiteral("only"));
            QTest::keyClick(icons, Qt::Key_Return);
            QCOMPARE(launcher.opener->opened, QStringList{QStringLiteral("/opt/only")});
        }
    }

    void firstRunStoresTheDesignLook()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrViewStyle")), QStringLiteral("3"));
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrColor")), QStringLiteral("-2147483643"));
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrFontColor")), QStringLiteral("-2147483640"));
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrFontSize")), QStringLiteral("8"));
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrFontName")), QStringLiteral("MS Sans Serif"));
        QCOMPARE(launcher.world.stored(QStringLiteral("MyPrWL")), QStringLiteral("121"));
    }

    // Style, background, font and its colour (the typeface stays) and the column width are stored at close
    // and applied at the next start, while "вид_1" still looks selected.
    void chosenLookIsStoredAndComesBackAfterARestart()
    {
        LauncherWorld first;
        QVERIFY(first.start());
        Ui::LauncherGroup& group = first.group();
        QTest::mouseClick(group.SettingsButton, Qt::LeftButton);
        QTest::mouseClick(group.vid_4, Qt::LeftButton);

        Dialogs::Reply background;
        background.color = QColor(0x12, 0x34, 0x56);
        first.world.dialogs.answerNext(background);
        QTest::mouseClick(group.ColorButton, Qt::LeftButton);

        Dialogs::Reply font;
        font.font = QFont(QStringLiteral("DejaVu Serif"), 14);
        font.font.setBold(true);
        font.color = QColor(Qt::red);
        first.world.dialogs.answerNext(font);
        QTest::mouseClick(group.FontButton, Qt::LeftButton);
        QCOMPARE(first.world.dialogs.requests.last().kind, Dialogs::Kind::Font);
        QCOMPARE(first.world.dialogs.requests.last().font.family(), QStringLiteral("MS Sans Serif"));

        QCOMPARE(first.list()->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(first.list()->font().pointSize(), 14);
        QVERIFY(first.list()->font().bold());
        QCOMPARE(first.list()->iconView()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
        QCOMPARE(first.list()->iconView()->palette().color(QPalette::Text), QColor(Qt::red));
        first.list()->setColumnWidth(0, 150);

        first.world.form1().close();
        QCOMPARE(first.world.stored(QStringLiteral("MyPrViewStyle")), QStringLiteral("0"));
        QCOMPARE(first.world.stored(QStringLiteral("MyPrColor")), QString::number(0x563412));
        QCOMPARE(first.world.stored(QStringLiteral("MyPrFontColor")), QStringLiteral("255"));
        QCOMPARE(first.world.stored(QStringLiteral("MyPrFontSize")), QStringLiteral("14"));
        QCOMPARE(first.world.stored(QStringLiteral("MyPrFontName")), QStringLiteral("MS Sans Serif"));
        QCOMPARE(first.world.stored(QStringLiteral("MyPrWL")), QStringLiteral("150"));
        const QString folder = first.world.configDir();
        first.world.stop();

        LauncherWorld second(folder);
        QVERIFY(second.start());
        QCOMPARE(second.list()->viewStyle(), TListView::ViewStyle::Icon);
        QVERIFY(second.group().vid_1->isChecked());
        QCOMPARE(second.list()->columnWidth(0), 150);
        QCOMPARE(second.list()->font().pointSize(), 14);
        QCOMPARE(second.list()->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(second.list()->reportView()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
        QCOMPARE(second.list()->reportView()->palette().color(QPalette::Text), QColor(Qt::red));
    }

    // Confirming the colours shown keeps the system colours as they were stored.
    void confirmedColoursStayTheSystemColours()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        Ui::LauncherGroup& group = launcher.group();
        QTest::mouseClick(group.SettingsButton, Qt::LeftButton);
        Dialogs::Reply background;
        background.color = launcher.list()->reportView()->palette().color(QPalette::Base);
        launcher.world.dialogs.answerNext(background);
        QTest::mouseClick(group.ColorButton, Qt::LeftButton);
        Dialogs::Reply font;
        font.font = launcher.list()->font();
        launcher.world.dialogs.answerNext(font);
        QTest::mouseClick(group.FontButton, Qt::LeftButton);
        const LauncherController::Look look = launcher.controller().look();
        QCOMPARE(look.color, clWindow);
        QCOMPARE(look.fontColor, clWindowText);
    }

    void storedValuesThatNameNothingLeaveTheList_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("style 7") << QStringLiteral("MyPrViewStyle") << QStringLiteral("7");
        QTest::newRow("style -1") << QStringLiteral("MyPrViewStyle") << QStringLiteral("-1");
        QTest::newRow("size 0") << QStringLiteral("MyPrFontSize") << QStringLiteral("0");
        QTest::newRow("negative width") << QStringLiteral("MyPrWL") << QStringLiteral("-5");
    }

    void storedValuesThatNameNothingLeaveTheList()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        LauncherWorld first;
        QVERIFY(first.start());
        first.world.store(name, value);
        const QString folder = first.world.configDir();
        first.world.stop();

        LauncherWorld second(folder);
        QVERIFY(second.start());
        QVERIFY(second.world.dialogs.requests.isEmpty());
        QCOMPARE(second.list()->viewStyle(), TListView::ViewStyle::Report);
        QCOMPARE(second.list()->font().pointSize(), 8);
        QCOMPARE(second.list()->columnWidth(0), 121);
    }

    void storedValueThatIsNoNumberStopsTheRestore()
    {
        LauncherWorld first;
        QVERIFY(first.start());
        first.world.store(QStringLiteral("MyPrFontSize"), QStringLiteral("abc"));
        first.world.store(QStringLiteral("MyPrColor"), QStringLiteral("255"));
        first.world.store(QStringLiteral("MyPrViewStyle"), QStringLiteral("0"));
        const QString folder = first.world.configDir();
        first.world.stop();

        LauncherWorld second(folder);
        QVERIFY(second.start());
        QCOMPARE(second.world.dialogs.errors(), QStringList{QStringLiteral("'abc' is not a valid integer value.")});
        // Read before the size: applied. After it: not.
        QCOMPARE(second.controller().look().color, 255);
        QCOMPARE(second.list()->viewStyle(), TListView::ViewStyle::Report);
    }

    void listFollowsTheKeyAtEveryActivation()
    {
        LauncherWorld launcher;
        QVERIFY(launcher.start());
        QCOMPARE(launcher.list()->count(), 0);
        launcher.storeEntry(QStringLiteral("outside"), QStringLiteral("/opt/outside"));
        QCOMPARE(launcher.list()->count(), 0);
        QVERIFY(returnToMainWindow(launcher.world, launcher.world.form1().aboutWindow()));
        QCOMPARE(launcher.rows(), (QList<QStringList>{{QStringLiteral("outside"), QStringLiteral("/opt/outside")}}));
        QCOMPARE(launcher.controller().list().NextProgramNumber(), 2);
    }

    // A label that looks like the file's own syntax is stored so that it reads back exactly.
    void oddLabelsAndPathsComeBackExactly()
    {
        LauncherWorld first;
        QVERIFY(first.start());
        const QString path = QStringLiteral("C:\\Program Files\\a=b \"q\".exe");
        QVERIFY(first.chooseFile(path));
        first.typeLabel(QStringLiteral("[x] a=b ;c"));
        const QString folder = first.world.configDir();
        first.world.stop();

        LauncherWorld second(folder);
        QVERIFY(second.start());
        QCOMPARE(second.rows(), (QList<QStringList>{{QStringLiteral("[x] a=b ;c"), path}}));
    }
};

TROMBUS_GUI_TEST_MAIN(LauncherTest)
#include "launcher_test.moc"
