#include <QDialog>
#include <QGuiApplication>
#include <QShowEvent>
#include <QTest>

#include "app/activationtracker.h"
#include "app/tapplication.h"
#include "testworld.h"

// When the main window counts as activated, on plain windows so that nothing else can trigger it.
class ActivationTest : public QObject
{
    Q_OBJECT

private slots:
    void firstShowCountsEvenWithoutFocus()
    {
        // The offscreen platform focuses every shown window, so the show is delivered alone, as a window
        // system that gives a new window no focus would leave it.
        QWidget main;
        int activations = 0;
        ActivationTracker tracker(&main, [&] { ++activations; });
        QShowEvent shown;
        QCoreApplication::sendEvent(&main, &shown);
        QTRY_COMPARE(activations, 1);
        QVERIFY(QGuiApplication::focusWindow() == nullptr);

        // A later show (after the console's "hide") is no new activation.
        QCoreApplication::sendEvent(&main, &shown);
        QVERIFY(processQueuedEvents());
        QCOMPARE(activations, 1);
    }

    void returnFromOtherWindowCountsButModalBoxDoesNot()
    {
        QWidget main;
        int activations = 0;
        ActivationTracker tracker(&main, [&] { ++activations; });
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTRY_COMPARE(activations, 1);

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QCOMPARE(activations, 2);

        QDialog box(&main);
        box.setModal(true);
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.close();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QVERIFY(processQueuedEvents());
        QCOMPARE(activations, 2);
    }
};

TROMBUS_GUI_TEST_MAIN(ActivationTest)
#include "activation_test.moc"
