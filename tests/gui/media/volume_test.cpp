#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "app/tapplication.h"
#include "media/tform2.h"
#include "media/volumecontrols.h"
#include "platform/volume.h"
#include "recordingvolume.h"
#include "testworld.h"
#include "ui_Form2.h"
#include "ui_MusicPage.h"

namespace {

enum class Start
{
    UntilTheDeviceAnswered, // activated, and the start-up read of the device has run
    Shown,                  // created and shown, no event delivered yet: never activated
};

// A program run whose output device starts at `device` (nullopt: no sound server at all).
struct VolumeWorld
{
    explicit VolumeWorld(std::optional<std::uint32_t> device, Start how = Start::UntilTheDeviceAnswered)
    {
        volume = std::make_shared<RecordingVolume>(device);
        world.platform->replace<platform::Volume>(volume);
        if (how == Start::Shown) {
            world.startWithoutWaiting();
            world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
            return;
        }
        started = world.start() && QTest::qWaitFor([this] { return controls().deviceAnswered(); });
        if (started)
            world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
    }
    bool started = false;
    Ui::MusicPage& page() { return world.musicPage(); }
    VolumeControls& controls() { return world.features().volumeControls(); }
    TForm2& mixer() { return *qobject_cast<TForm2*>(world.form1().form2Window()); }
    std::uint32_t device() const { return volume->device.value_or(0xDEADBEEF); }

    std::shared_ptr<RecordingVolume> volume;
    TestWorld world;
};

} // namespace

class VolumeTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpSetsTheSliderFromTheLeftChannel()
    {
        VolumeWorld w(0x7000'1000u);
        QVERIFY(w.started);
        QTRY_COMPARE(w.page().TrackBar1->value(), -61439);
        QCOMPARE(w.volume->written, QList<std::uint32_t>({0x1001'1001u}));
        QCOMPARE(w.controls().MainVolume, 0x1001'1001u);
        QCOMPARE(w.page().TrackBar2->value(), 1);
        QCOMPARE(w.page().Label10->text(), QStringLiteral("Звук ВКЛ."));
    }

    // Asking the sound server loads its libraries: that waits until the window has been activated, once.
    void deviceIsAskedOnceAfterTheFirstActivation()
    {
        VolumeWorld w(0x7000'1000u, Start::Shown);
        QCOMPARE(w.volume->reads.load(), 0);
        QCOMPARE(w.page().TrackBar1->value(), -1);
        QVERIFY(w.volume->written.isEmpty());

        w.world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.world.form1()));
        QTRY_VERIFY(w.controls().deviceAnswered());
        QCOMPARE(w.volume->reads.load(), 1);
        QCOMPARE(w.page().TrackBar1->value(), -61439);
        QCOMPARE(w.volume->written, QList<std::uint32_t>({0x1001'1001u}));

        // Coming back from another window is an activation too; only the mixer's own showing reads again.
        QVERIFY(returnToMainWindow(w.world, &w.mixer()));
        QVERIFY(processQueuedEvents());
        QCOMPARE(w.volume->reads.load(), 2);
        QCOMPARE(w.volume->written, QList<std::uint32_t>({0x1001'1001u}));
        w.mixer().close();
    }

    // A control the user set before the device answered keeps what they chose; the answer changes nothing.
    void earlyUserChoiceWinsOverTheLateAnswer_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("slider");
        QTest::addColumn<std::uint32_t>("word");
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("volume slider") << 1 << -65536 + 0x3000 << 0x3000'3000u << true;
        QTest::newRow("balance") << 2 << -1 << 0x0000'0000u << true;
        QTest::newRow("mute label") << 3 << -1 << 0u << false;
    }
    void earlyUserChoiceWinsOverTheLateAnswer()
    {
        QFETCH(int, control);
        QFETCH(int, slider);
        QFETCH(std::uint32_t, word);
        QFETCH(bool, soundOn);
        VolumeWorld w(0x7000'1000u, Start::Shown);
        if (control == 1)
            w.page().TrackBar1->setValue(slider);
        else if (control == 2)
            w.page().TrackBar2->setValue(0);
        else
            QTest::mouseClick(w.page().Label10, Qt::LeftButton);
        QCOMPARE(w.volume->reads.load(), 0);
        const QList<std::uint32_t> sent = w.volume->written;
        QCOMPARE(sent, QList<std::uint32_t>({word}));

        w.world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.world.form1()));
        QTRY_VERIFY(w.controls().deviceAnswered());
        QCOMPARE(w.volume->reads.load(), 1);
        QCOMPARE(w.page().TrackBar1->value(), slider);
        QCOMPARE(w.volume->written, sent);
        QCOMPARE(w.device(), word);
        QCOMPARE(w.page().Label10->text(), soundOn ? QStringLiteral("Звук ВКЛ.") : QStringLiteral("Звук ВЫКЛ."));
        QCOMPARE(w.page().TrackBar1->isEnabled(), soundOn);
    }

    void sliderEndsGiveFullAndTheQuietestLevel()
    {
        VolumeWorld w(0x4000'4000u);
        QVERIFY(w.started);
        w.page().TrackBar1->setValue(0);
        QCOMPARE(w.page().TrackBar1->value(), -1);
        QCOMPARE(w.device(), 0xFFFF'FFFFu);
        w.page().TrackBar1->setValue(-65535);
        QCOMPARE(w.device(), 0x0001'0001u);
        // Dragged with the keyboard to the right end, the slider stops at -1, never 0.
        w.page().TrackBar1->setFocus();
        QTest::keyClick(w.page().TrackBar1, Qt::Key_End);
        QCOMPARE(w.page().TrackBar1->value(), -1);
        QCOMPARE(w.device(), 0xFFFF'FFFFu);
    }

    void balanceSilencesOneSideAndTheMiddleRestoresIt()
    {
        VolumeWorld w(0x8000'8000u);
        QVERIFY(w.started);
        w.page().TrackBar2->setValue(0);
        QCOMPARE(w.device(), 0x0000'8001u);
        QVERIFY(w.page().TrackBar1->hasFocus() || !w.world.form1().isActiveWindow());
        // Only the left channel follows the volume slider now.
        w.page().TrackBar1->setValue(-65536 + 0x3000);
        QCOMPARE(w.device(), 0x0000'3000u);
        w.page().TrackBar2->setValue(1);
        QCOMPARE(w.device(), 0x3000'3000u);
        w.page().TrackBar2->setValue(2);
        QCOMPARE(w.device(), 0x3000'0000u);
        w.page().TrackBar1->setValue(-65536 + 0x2000);
        QCOMPARE(w.device(), 0x2000'0000u);
        w.page().TrackBar2->setValue(1);
        QCOMPARE(w.device(), 0x2000'2000u);
    }

    void muteSilencesAndUnmuteRestoresThePagesWord()
    {
        VolumeWorld w(0x6000'6000u);
        QVERIFY(w.started);
        const std::uint32_t word = w.controls().MainVolume;
        QTest::mouseClick(w.page().Label10, Qt::LeftButton);
        QCOMPARE(w.page().Label10->text(), QStringLiteral("Звук ВЫКЛ."));
        QCOMPARE(w.page().Label10->palette().color(QPalette::Window), QColor(0xFF, 0, 0));
        QVERIFY(!w.page().TrackBar1->isEnabled());
        QVERIFY(!w.page().TrackBar2->isEnabled());
        QCOMPARE(w.device(), 0u);
        QCOMPARE(w.controls().MainVolume, word);

        // A level the mixer applied in between is replaced by the page's word.
        w.mixer().show();
        w.mixer().form().TrackBar3->setValue(-60000);
        w.mixer().form().SpeedButton1->click();
        QVERIFY(w.device() != word);
        QTest::mouseClick(w.page().Label10, Qt::LeftButton);
        QCOMPARE(w.page().Label10->text(), QStringLiteral("Звук ВКЛ."));
        QCOMPARE(w.page().Label10->palette().color(QPalette::Window), QColor(0, 0xFF, 0));
        QVERIFY(w.page().TrackBar1->isEnabled());
        QCOMPARE(w.device(), word);
        w.mixer().close();
    }

    void mixerReadsTheDeviceAtEveryShowingAndSendsOnlyOnApply()
    {
        VolumeWorld w(0x4000'FFFFu);
        QVERIFY(w.started);
        // Start-up set both channels from the left one; the device then changed behind the program's back.
        w.volume->device = 0x4000'FFFFu;
        w.volume->written.clear();
        const int pageSlider = w.page().TrackBar1->value();
        TForm2& mixer = w.mixer();
        QCOMPARE(mixer.windowTitle(), QStringLiteral("3Byka 3aBp"));
        mixer.show();
        QCOMPARE(mixer.form().TrackBar3->value(), -1);
        QCOMPARE(mixer.form().TrackBar1->value(), -49151);
        QCOMPARE(mixer.MixerVolume, 0x4001'FFFFu);
        mixer.form().TrackBar3->setValue(-65535 + 0x100);
        QCOMPARE(mixer.MixerVolume, 0x4001'0101u);
        QVERIFY(w.volume->written.isEmpty());
        QTest::mouseClick(mixer.form().SpeedButton1, Qt::LeftButton);
        QCOMPARE(w.volume->written, QList<std::uint32_t>({0x4001'0101u}));
        // The page's sliders stay where they were.
        QCOMPARE(w.page().TrackBar1->value(), pageSlider);
        QTest::mouseClick(mixer.form().SpeedButton3, Qt::LeftButton);
        QVERIFY(!mixer.isVisible());

        w.volume->device = 0x0800'0900u;
        mixer.show();
        QCOMPARE(mixer.form().TrackBar3->value(), 0x0900 - 65535);
        QCOMPARE(mixer.form().TrackBar1->value(), 0x0800 - 65535);
        mixer.close();
    }

    void withoutASoundServerTheControlsKeepWorking()
    {
        VolumeWorld w(std::nullopt);
        QVERIFY(w.started);
        QCOMPARE(w.page().TrackBar1->value(), -1);
        w.page().TrackBar1->setValue(-30000);
        w.page().TrackBar2->setValue(0);
        QTest::mouseClick(w.page().Label10, Qt::LeftButton);
        QTest::mouseClick(w.page().Label10, Qt::LeftButton);
        w.mixer().show();
        QCOMPARE(w.mixer().form().TrackBar3->value(), -1);
        w.mixer().form().SpeedButton1->click();
        w.mixer().close();
        QVERIFY(w.world.dialogs.errors().isEmpty());
        QCOMPARE(w.page().Label10->text(), QStringLiteral("Звук ВКЛ."));
    }

    // The real output volume: the private null sink of scripts/test.sh, read back with pactl.
    void volumeSliderMovesTheSoundServersSink()
    {
        QProcess info;
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        if (QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty() || !info.waitForFinished(5000) ||
            info.exitCode() != 0)
            QSKIP("no sound server: scripts/test.sh starts one with a null sink");
        TestWorld world;
        world.platform->replace<platform::Volume>(platform::Volume::create(world.platform->context()));
        QVERIFY(world.start());
        world.musicPage().TrackBar1->setValue(-65536 + 0x8000);
        QProcess volume;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        volume.setProcessEnvironment(environment);
        volume.start(QStringLiteral("pactl"), {QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
        QVERIFY(volume.waitForFinished(5000));
        const QString text = QString::fromUtf8(volume.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("front-left:\\s*32769\\b"))), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("front-right:\\s*32769\\b"))), qPrintable(text));
    }
};

TROMBUS_GUI_TEST_MAIN(VolumeTest)
#include "volume_test.moc"
