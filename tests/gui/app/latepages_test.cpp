#include <QAbstractButton>
#include <QTabWidget>
#include <QTest>
#include <map>

#include "app/features.h"
#include "app/latepages.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_InfoPage.h"
#include "ui_KeyMouseGroup.h"
#include "ui_MainPage.h"

namespace {

// What a scale leaves on a control: where it is, how large, and its font.
struct ScaledLook
{
    QRect geometry;
    QSize iconSize;
    qreal pointSize;
    int pixelSize;
    bool bold;
    QString styleSheet;

    bool operator==(const ScaledLook&) const = default;
};

QString describe(const ScaledLook& look)
{
    return QStringLiteral("%1,%2 %3x%4 icon %9x%10 font %5pt/%6px%7 sheet \"%8\"")
        .arg(look.geometry.x())
        .arg(look.geometry.y())
        .arg(look.geometry.width())
        .arg(look.geometry.height())
        .arg(look.pointSize)
        .arg(look.pixelSize)
        .arg(look.bold ? QStringLiteral(" bold") : QString())
        .arg(look.styleSheet)
        .arg(look.iconSize.width())
        .arg(look.iconSize.height());
}

// Every named control of a page, the page itself left out: the notebook places it.
std::map<QString, ScaledLook> looksOf(QWidget* page)
{
    std::map<QString, ScaledLook> looks;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QFont font = widget->font();
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        looks[widget->objectName()] = {widget->geometry(), button ? button->iconSize() : QSize(),
                                       font.pointSizeF(),  font.pixelSize(),
                                       font.bold(),        widget->styleSheet()};
    }
    return looks;
}

void compareLooks(QWidget* madeLate, QWidget* madeFirst)
{
    const std::map<QString, ScaledLook> late = looksOf(madeLate);
    const std::map<QString, ScaledLook> first = looksOf(madeFirst);
    QCOMPARE(late.size(), first.size());
    QVERIFY(!late.empty());
    for (const auto& [name, look] : first) {
        const auto found = late.find(name);
        QVERIFY2(found != late.end(), qPrintable(name));
        QVERIFY2(found->second == look, qPrintable(name + QStringLiteral(": made late ") + describe(found->second) +
                                                   QStringLiteral(", made first ") + describe(look)));
    }
}

} // namespace

class LatePagesTest : public QObject
{
    Q_OBJECT
private slots:
    void helpInformationAndInternetPagesComeAfterTheWindowIsShown()
    {
        TestWorld world;
        world.startWithoutWaiting();
        // Nothing has been delivered yet: the window is not drawn, and those two pages are still empty.
        QVERIFY(world.ui().PageMain->built());
        QVERIFY(!world.ui().PageHelp->built());
        QVERIFY(!world.ui().PageInfo->built());
        QVERIFY(!world.ui().PageInternet->built());
        QVERIFY(world.ui().PageHelp->findChildren<QWidget*>().isEmpty());

        QTRY_VERIFY(world.form1().latePages().allBuilt());
        QVERIFY(world.ui().PageHelp->findChild<QWidget*>(QStringLiteral("NotepadPanel")));
        QVERIFY(world.ui().PageInfo->findChild<QWidget*>(QStringLiteral("SoundCheckButton")));
        // Their controllers came with them and work on their controls.
        world.helpPage().KeyMousePanel->form().LeftHandButton->click();
        QCOMPARE(world.helpPage().KeyMousePanel->form().LeftHandButton->text(), QStringLiteral("Я правша"));
        QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("А мне пофиг")});
    }

    void aStartInTheTrayMakesThePagesWithoutAPaint()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("vtrey"), QStringLiteral("1"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        second.startWithoutWaiting();
        QTRY_VERIFY(second.form1().inTray());
        QVERIFY(!second.form1().isVisible());
        QTRY_VERIFY(second.form1().latePages().allBuilt());
    }

    void aStoredPageOpensWithItsControlsShown_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("control");
        QTest::newRow("help") << 1 << QStringLiteral("NotepadPanel");
        QTest::newRow("internet") << 3 << QStringLiteral("ComboBox4");
        QTest::newRow("information") << 5 << QStringLiteral("SoundCheckButton");
    }

    void aStoredPageOpensWithItsControlsShown()
    {
        QFETCH(int, tab);
        QFETCH(QString, control);
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("str"), QString::number(tab));
        const QString folder = first.configDir();
        first.stop();

        // The page is made when the restore opens it, while the window is already on screen.
        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.ui().TabbedNotebook1->currentIndex(), tab);
        auto* shown = second.ui().TabbedNotebook1->currentWidget()->findChild<QWidget*>(control);
        QVERIFY(shown);
        QVERIFY(shown->isVisible());
        QVERIFY(!shown->visibleRegion().isEmpty());
    }

    void aPageOpenedByTheUserBeforeItsTurnHasItsControls()
    {
        TestWorld world;
        world.startWithoutWaiting();
        QVERIFY(!world.ui().PageHelp->built());
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        QVERIFY(world.ui().PageHelp->built());
        QVERIFY(world.helpPage().NotepadPanel->isVisible());
        // The disk meter took its first reading, which the creation asked for before the page existed.
        QVERIFY(world.helpPage().Drivers->currentIndex() >= 0);
    }

    void theServiceCommandMakesTheInformationPageForItsPanels()
    {
        TestWorld world;
        world.startWithoutWaiting();
        QVERIFY(!world.ui().PageInfo->built());
        world.ui().console->setText(QStringLiteral("-=Kr@nTOS_314=- 1"));
        world.ui().conbut->click();
        QVERIFY(world.ui().PageInfo->built());
        // The sound check's panels and the statistics panel, in the order the console asks for them.
        QVERIFY(!world.infoPage().Panel14->isHidden());
        QVERIFY(!world.infoPage().Panel15->isHidden());
        QVERIFY(!world.infoPage().Panel13->isHidden());
    }

    // A page made after the stored scale was applied looks as it would had it been there for the scale.
    void aScaleTakenBeforeAPageWasMadeLeavesItAsIfItHadBeenThere()
    {
        TestWorld scaledFirst;
        QVERIFY(scaledFirst.start());
        scaledFirst.store(QStringLiteral("maschtab"), QStringLiteral("150"));
        const QString folder = scaledFirst.configDir();
        QVERIFY(scaledFirst.form1().scaleBy(150, 100));

        TestWorld scaledLate({}, folder);
        scaledLate.startWithoutWaiting();
        QVERIFY(!scaledLate.ui().PageHelp->built());
        QTRY_VERIFY(scaledLate.form1().latePages().allBuilt());

        compareLooks(scaledLate.ui().PageHelp, scaledFirst.ui().PageHelp);
        compareLooks(scaledLate.ui().PageInfo, scaledFirst.ui().PageInfo);
        compareLooks(scaledLate.ui().PageInternet, scaledFirst.ui().PageInternet);
    }
};

TROMBUS_GUI_TEST_MAIN(LatePagesTest)
#include "latepages_test.moc"
