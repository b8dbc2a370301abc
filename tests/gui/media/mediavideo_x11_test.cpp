// Video from the real media backend on a real display (the headless platform cannot show it): an AVI the test
// writes goes into the page's panel while "Вывод на форму" is on, and into a window of its own when it is off.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/tapplication.h"
#include "media/player.h"
#include "mediafiles.h"
#include "testworld.h"
#include "ui_MusicPage.h"

class MediaVideoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QProcess info;
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        if (QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty() || !info.waitForFinished(5000) ||
            info.exitCode() != 0)
            QSKIP("no sound server: scripts/test.sh starts one with a null sink");
    }

    void videoGoesIntoThePanelWithOutputToTheFormOn()
    {
        QTemporaryDir folder;
        QVERIFY(mediafiles::writeAvi(QDir(folder.path()).filePath(QStringLiteral("clip.avi")), 64, 48, 20));
        TestWorld world;
        QVERIFY(world.start());
        Ui::MusicPage& page = world.musicPage();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
        Dialogs::Reply reply;
        reply.path = folder.path();
        world.dialogs.answerNext(reply);
        QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
        QVERIFY(page.CheckBox10->isChecked());
        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
        auto* display = page.Panel2->findChild<QWidget*>(QStringLiteral("MediaPlayer1Display"));
        QVERIFY(display);
        QTRY_VERIFY(display->isVisible());
        QCOMPARE(display->geometry(), QRect(0, 0, 200, 150));
        // Output to the form off: the video goes to a window of its own.
        QTest::mouseClick(page.CheckBox10, Qt::LeftButton);
        QTRY_VERIFY(!display->isVisible());
        QWidget* own = nullptr;
        QTRY_VERIFY([&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == QLatin1String("MediaPlayer1Window"))
                    own = top;
            return own && own->isVisible();
        }());
        QCOMPARE(own->windowTitle(), QStringLiteral("clip.avi"));
        QTRY_VERIFY_WITH_TIMEOUT(page.BitBtn12->x() > 3, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(world.features().player().Playing, 0, 20000);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
    }
};

TROMBUS_GUI_TEST_MAIN(MediaVideoTest)
#include "mediavideo_x11_test.moc"
