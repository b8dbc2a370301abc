#include <QProcess>
#include <QTest>

#include "app/ledshow.h"
#include "app/tapplication.h"
#include "forms/tweakgroup.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_MainPage.h"
#include "ui_TweakGroup.h"
#include "xkbreader.h"

namespace {

bool setLayouts(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("setxkbmap"), arguments) == 0;
}

} // namespace

// The keyboard lights and the layout on a real X server with the us and ru layouts that a Russian desktop has,
// Caps Lock switching between them.
class KeyboardX11Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server");
        QVERIFY(m_xkb.ok());
        QVERIFY2(setLayouts({"-layout", "us,ru", "-option", "", "-option", "grp:caps_toggle"}),
                 "setxkbmap (x11-xkb-utils) must be installed");
    }

    void init()
    {
        m_xkb.lockGroup(1);
        m_xkb.lockNumLock(true);
    }

    void ledShowLightsTheLightsAloneAndGivesThemBack()
    {
        TestWorld world;
        world.startWithoutWaiting();
        const KeyboardState before = m_xkb.read();
        QCOMPARE(before.group, 1);
        QVERIFY(before.num && !before.caps);
        // The state after each of the show's own ticks, which come at once here rather than a second apart.
        QList<KeyboardState> seen;
        QTimer& timer5 = world.features().Timer5;
        connect(&timer5, &QTimer::timeout, this, [&] { seen << m_xkb.read(); });
        timer5.setInterval(0);
        QTRY_VERIFY(!timer5.isActive());
        QCOMPARE(world.features().ledShow().LedStep, 4);
        QCOMPARE(seen.size(), 4);

        KeyboardState expected = before;
        expected.num = !before.num;
        QVERIFY(seen[0] == expected);
        expected.caps = !before.caps;
        QVERIFY(seen[1] == expected);
        expected.scroll = !before.scroll;
        QVERIFY(seen[2] == expected);
        QVERIFY(seen[3] == before);
        // The lights follow their locks again.
        m_xkb.lockNumLock(false);
        QVERIFY(!m_xkb.read().num);
    }

    void activationSetsTheStoredEnglishLayoutEveryTime()
    {
        QTemporaryDir config;
        {
            TestWorld first({}, config.path());
            QVERIFY(first.start());
            first.store(QStringLiteral("izik"), QStringLiteral("00000409"));
        }
        TestWorld world({}, config.path());
        QVERIFY(world.start());
        QCOMPARE(m_xkb.read().group, 0);
        // The user goes back to Russian; the next activation sets English again, as the store says.
        m_xkb.lockGroup(1);
        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        QTRY_COMPARE(m_xkb.read().group, 0);
        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        QVERIFY(processQueuedEvents());
        QCOMPARE(m_xkb.read().group, 0);
        QCOMPARE(world.mainPage().TweakPanel->form().izik->text(), QStringLiteral("EN"));
    }

    void dictionaryFieldSwitchesWhenEnteredNotWhenTheWindowComesBack()
    {
        TestWorld world;
        QVERIFY(world.start());
        m_xkb.lockGroup(0);
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        world.helpPage().PageControl1->setCurrentWidget(world.helpPage().TabSheet1);
        QTest::mouseClick(world.helpPage().Edit3, Qt::LeftButton);
        QTRY_COMPARE(m_xkb.read().group, 1);
        // The user types English there after all, and comes back from another window of the program.
        m_xkb.lockGroup(0);
        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        QVERIFY(processQueuedEvents());
        QCOMPARE(m_xkb.read().group, 0);
    }

private:
    XkbReader m_xkb;
};

TROMBUS_GUI_TEST_MAIN(KeyboardX11Test)
#include "keyboard_x11_test.moc"
