#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>

#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/trayicon.h"
#include "common/colors.h"
#include "fakediskspace.h"
#include "formwalk.h"
#include "reminders/tmessia.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "widgets/tshape.h"

namespace {

// The commands of a menu as the user sees them: separators, sub-menus and the tick-box items left out,
// since a tick shows in the place a picture would take.
QList<QAction*> commandsOf(const QMenu* menu)
{
    QList<QAction*> commands;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && !action->menu() && !action->isCheckable())
            commands << action;
    }
    return commands;
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    return count;
}

} // namespace

// How the windows look: the menus' pictures, the running line's inverting border, the prompt's title bar and
// the drive list's open width.
class WindowLookTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;

private slots:
    void initTestCase()
    {
        m_world = std::make_unique<TestWorld>();
        QVERIFY(m_world->start());
    }

    void everyCommandShowsAPicture_data()
    {
        QTest::addColumn<QAction*>("command");
        Ui::Form1& ui = m_world->ui();
        QList<const QMenu*> menus{ui.NMain, ui.NHelp};
        TrayIcon& tray = m_world->form1().trayIcon();
        menus << &tray.popupMenu() << &tray.playerMenu();
        for (const QMenu* menu : menus) {
            for (QAction* command : commandsOf(menu))
                QTest::addRow("%s/%s", qPrintable(menu->objectName()), qPrintable(command->objectName())) << command;
        }
    }

    void everyCommandShowsAPicture()
    {
        QFETCH(QAction*, command);
        QVERIFY(!command->icon().isNull());
        const QImage picture = command->icon().pixmap(16, 16).toImage();
        QCOMPARE(picture.size(), QSize(16, 16));
        // A picture, not an empty square: at least an eighth of it drawn.
        QVERIFY(opaquePixels(picture) >= 32);
    }

    void theSameCommandLooksTheSameInBothMenus_data()
    {
        QTest::addColumn<QAction*>("main");
        QTest::addColumn<QAction*>("tray");
        Ui::Form1& ui = m_world->ui();
        QTest::newRow("minimise") << ui.N7 << ui.N27;
        QTest::newRow("about") << ui.N6 << ui.N25;
        QTest::newRow("close") << ui.N9 << ui.N2;
    }

    void theSameCommandLooksTheSameInBothMenus()
    {
        QFETCH(QAction*, main);
        QFETCH(QAction*, tray);
        QCOMPARE(main->icon().pixmap(16, 16).toImage(), tray->icon().pixmap(16, 16).toImage());
    }

    void runningLineBorderInvertsTheWindowColour_data()
    {
        QTest::addColumn<qint32>("color");
        QTest::newRow("first-run green") << qint32(0x408000);
        QTest::newRow("white") << qint32(0xFFFFFF);
        QTest::newRow("red") << qint32(0x0000FF);
    }

    void runningLineBorderInvertsTheWindowColour()
    {
        QFETCH(qint32, color);
        TForm1& form = m_world->form1();
        form.setWindowColor(color);
        QWidget* shape = m_world->ui().Shape1;
        QVERIFY(qobject_cast<TShape*>(shape));
        const QImage window = form.grab().toImage();
        const QPoint at = shape->mapTo(&form, QPoint(0, 0));
        const QRgb background = colorFromTColor(color).rgb();
        const QRgb inverted = qRgb(255 - qRed(background), 255 - qGreen(background), 255 - qBlue(background));
        const int middle = shape->height() / 2;
        QCOMPARE(window.pixel(at + QPoint(shape->width() / 2, 0)), inverted);
        QCOMPARE(window.pixel(at + QPoint(0, middle)), inverted);
        QCOMPARE(window.pixel(at + QPoint(shape->width() - 1, middle)), inverted);
        QCOMPARE(window.pixel(at + QPoint(shape->width() / 2, shape->height() - 1)), inverted);
        // Inside, the window shows through.
        QCOMPARE(window.pixel(at + QPoint(1, middle)), background);
    }

    void promptOffersTheCloseBoxOnly()
    {
        const Qt::WindowFlags flags = m_world->form1().messiaWindow()->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    }

    void minimisedPromptComesBackWhenOpenedAgain()
    {
        auto* prompt = qobject_cast<TMessia*>(m_world->form1().messiaWindow());
        prompt->openForTimer();
        prompt->setWindowState(prompt->windowState() | Qt::WindowMinimized);
        QVERIFY(prompt->isMinimized());

        prompt->openForAlarm();

        QVERIFY(prompt->isVisible());
        QVERIFY(!prompt->isMinimized());
        prompt->BBClick();
    }

    // Some styles widen an open list by themselves, others (the Windows one among them) keep it as wide as the
    // box.
    void openDriveListShowsWholeMountPoints_data()
    {
        QTest::addColumn<int>("scalePercent");
        QTest::addColumn<QString>("style");
        for (const QString& style : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
            QTest::addRow("%s, 100", qPrintable(style)) << 100 << style;
            QTest::addRow("%s, 150", qPrintable(style)) << 150 << style;
        }
    }

    void openDriveListShowsWholeMountPoints()
    {
        QFETCH(int, scalePercent);
        QFETCH(QString, style);
        std::unique_ptr<QStyle> look(QStyleFactory::create(style));
        QVERIFY(look);
        auto disks = std::make_shared<FakeDiskSpace>();
        disks->list = {{"/home", "/home", platform::DriveKind::Fixed},
                       {"/tmp/audit/partition-of-the-second-disk", "/tmp/audit/partition-of-the-second-disk",
                        platform::DriveKind::Fixed},
                       {"/media/me/CARD", "CARD (/media/me/CARD)", platform::DriveKind::Removable}};
        disks->current = "/home";
        disks->sizes["/home"] = {qint64(100) << 30, qint64(25) << 30};
        TestWorld world;
        world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(world.start());
        if (scalePercent != 100)
            QVERIFY2(formwalk::scaleWindow(world.form1(), scalePercent), "the window refused the scale step");
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        QComboBox* drives = world.helpPage().Drivers;
        drives->setStyle(look.get());

        drives->showPopup();

        QAbstractItemView* list = drives->view();
        QTRY_VERIFY(list->isVisible());
        const QFontMetrics metrics = list->fontMetrics();
        for (int row = 0; row < drives->count(); ++row) {
            const int needed = metrics.horizontalAdvance(drives->itemText(row)) + drives->iconSize().width();
            QVERIFY2(list->viewport()->width() > needed, qPrintable(drives->itemText(row)));
        }
        QVERIFY(list->viewport()->width() > drives->width());
        drives->hidePopup();
        drives->setStyle(nullptr);
    }

    void cleanupTestCase() { m_world.reset(); }
};

TROMBUS_WIDE_SCREEN_TEST_MAIN(WindowLookTest)
#include "windowlook_test.moc"
