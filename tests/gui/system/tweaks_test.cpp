#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "app/tapplication.h"
#include "common/errorreport.h"
#include "common/tregistry.h"
#include "forms/keymousegroup.h"
#include "forms/tweakgroup.h"
#include "gnomemouse.h"
#include "platform/iconextractor.h"
#include "platform/linux/trash.h"
#include "recordingcddoor.h"
#include "system/systemtweaks.h"
#include "testworld.h"
#include "tweakstandins.h"
#include "ui_HelpPage.h"
#include "ui_KeyMouseGroup.h"
#include "ui_MainPage.h"
#include "ui_TweakGroup.h"
#include "unremovablefile.h"

namespace {

const QString PolicyKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
const QString ServicesKey = QStringLiteral("SYSTEM\\CurrentControlSet\\Services");

// A program run whose pointer, CD drive, editor start and keyboard layout are recorded, and whose recycle bin is
// the Trash of a private data folder; registry and file types are the real ones.
struct TweakWorld
{
    explicit TweakWorld(const QString& configDir = {}) : world({}, configDir)
    {
        world.platform->replace<platform::Pointer>(pointer);
        world.platform->replace<platform::CdDoor>(cdDoor);
        world.platform->replace<platform::CommandRunner>(runner);
        world.platform->replace<platform::KeyboardLayout>(layouts);
        world.platform->replace<platform::RecycleBin>(platform::detail::freedesktopTrash(dataHome().toStdString(), {}));
        QDir().mkpath(trash() + QStringLiteral("/files"));
        QDir().mkpath(trash() + QStringLiteral("/info"));
    }

    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.dialogs.clear();
        return true;
    }

    Ui::TweakGroup& tweaks() { return world.mainPage().TweakPanel->form(); }
    Ui::KeyMouseGroup& keyMouse() { return world.helpPage().KeyMousePanel->form(); }

    QString dataHome() const { return m_data.path(); }
    QString trash() const { return m_data.path() + QStringLiteral("/Trash"); }

    void trashItem(const QString& name, bool folder = false)
    {
        const QString item = trash() + QStringLiteral("/files/") + name;
        writeFile(folder ? item + QStringLiteral("/inner/deep.txt") : item, "x");
        writeFile(trash() + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"), "[Trash Info]\n");
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList entries(const QString& folder) const
    {
        return QDir(trash() + QLatin1Char('/') + folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    QString read(platform::Hive hive, const QString& key, const QString& name)
    {
        TRegistry registry(*world.platform);
        registry.setRootKey(hive);
        if (!registry.OpenKey(key, false))
            return QStringLiteral("<no key>");
        if (!registry.ValueExists(name))
            return QStringLiteral("<no value>");
        return registry.ReadString(name);
    }

    void write(platform::Hive hive, const QString& key, const QString& name, const QString& value)
    {
        TRegistry registry(*world.platform);
        registry.setRootKey(hive);
        registry.OpenKey(key, true);
        registry.WriteString(name, value);
    }

    /// Types the extension and presses "ЧО".
    void lookUp(const QString& extension)
    {
        tweaks().Edit5->setText(extension);
        tweaks().IconButton->click();
    }

    QImage picture() { return tweaks().Image1->pixmap().toImage(); }

    TestWorld world;
    std::shared_ptr<PointerRecorder> pointer = std::make_shared<PointerRecorder>();
    std::shared_ptr<CdDoorRecorder> cdDoor = std::make_shared<CdDoorRecorder>();
    std::shared_ptr<CommandRunnerRecorder> runner = std::make_shared<CommandRunnerRecorder>();
    std::shared_ptr<LayoutRecorder> layouts = std::make_shared<LayoutRecorder>();

private:
    QTemporaryDir m_data;
};

QImage filled(QRgb colour)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TweaksTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // GNOME's settings stay in this process's memory, whoever starts the test; GLib reads this at first use.
        qputenv("GSETTINGS_BACKEND", "memory");
    }

    void switchesShowTheirDesignStateWhateverTheSystemHolds()
    {
        TweakWorld run;
        run.write(platform::Hive::CurrentUser, PolicyKey, QStringLiteral("DisableTaskMgr"), QStringLiteral("1"));
        run.write(platform::Hive::LocalMachine, ServicesKey, QStringLiteral("CDRom"), QStringLiteral("0"));
        QVERIFY(run.start());
        QVERIFY(!run.tweaks().TaskManagerBox->isChecked());
        QVERIFY(!run.tweaks().RecycleBinBox->isChecked());
        QVERIFY(run.tweaks().CdAutorunBox->isChecked());
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("RU"));
        QCOMPARE(run.keyMouse().MouseSpeedBar->value(), 0);
        QCOMPARE(run.keyMouse().LeftHandButton->text(), QStringLiteral("Я левша"));
        QVERIFY(run.pointer->speeds.isEmpty() && run.pointer->swaps.isEmpty() && run.layouts->activated.isEmpty());
        QVERIFY(run.tweaks().borl->isHidden());
    }

    void taskManagerSwitchWritesOneOrEmptyTextAndNeverDeletes()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().TaskManagerBox->click();
        QCOMPARE(run.read(platform::Hive::CurrentUser, PolicyKey, QStringLiteral("DisableTaskMgr")),
                 QStringLiteral("1"));
        run.tweaks().TaskManagerBox->click();
        QCOMPARE(run.read(platform::Hive::CurrentUser, PolicyKey, QStringLiteral("DisableTaskMgr")), QString());
        QVERIFY(run.world.dialogs.requests.isEmpty());
    }

    void cdAutorunWritesZeroOrOneIntoTheServicesKey()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().CdAutorunBox->click();
        QVERIFY(!run.tweaks().CdAutorunBox->isChecked());
        QCOMPARE(run.read(platform::Hive::LocalMachine, ServicesKey, QStringLiteral("CDRom")), QStringLiteral("0"));
        run.tweaks().CdAutorunBox->click();
        QCOMPARE(run.read(platform::Hive::LocalMachine, ServicesKey, QStringLiteral("CDRom")), QStringLiteral("1"));
    }

    void aSwitchThatCannotBeWrittenEndsWithTheFrameworksMessage()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().TaskManagerBox->click();
        UnremovableFile locked((run.world.configDir() + QStringLiteral("/registry.reg")).toStdString());
        if (!locked.active())
            QSKIP("this file system cannot keep the settings file from its owner");
        run.tweaks().CdAutorunBox->click();
        QCOMPARE(run.world.dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("Failed to set data for 'CDRom'"))});
        run.tweaks().TaskManagerBox->click();
        QCOMPARE(run.world.dialogs.errors().size(), 2);
        QCOMPARE(run.world.dialogs.errors().last(),
                 errorReportText(QStringLiteral("Failed to set data for 'DisableTaskMgr'")));
    }

    void recycleBinEmptiedLeavesTheBoxUnchecked()
    {
        TweakWorld run;
        run.trashItem(QStringLiteral("letter.txt"));
        run.trashItem(QStringLiteral("photos"), true);
        QVERIFY(run.start());
        run.tweaks().RecycleBinBox->click();
        QVERIFY(!run.tweaks().RecycleBinBox->isChecked());
        QCOMPARE(run.entries(QStringLiteral("files")), QStringList());
        QCOMPARE(run.entries(QStringLiteral("info")), QStringList());
        // An empty bin empties just as well.
        run.tweaks().RecycleBinBox->click();
        QVERIFY(!run.tweaks().RecycleBinBox->isChecked());
    }

    void recycleBinThatCannotBeEmptiedLeavesTheBoxChecked()
    {
        TweakWorld run;
        run.trashItem(QStringLiteral("stuck"), true);
        run.trashItem(QStringLiteral("free.txt"));
        UnremovableFile stuck((run.trash() + QStringLiteral("/files/stuck/inner/deep.txt")).toStdString());
        if (!stuck.active())
            QSKIP("this file system cannot keep a file from its owner");
        QVERIFY(run.start());
        run.tweaks().RecycleBinBox->click();
        QVERIFY(run.tweaks().RecycleBinBox->isChecked());
        QCOMPARE(run.entries(QStringLiteral("files")), QStringList{"stuck"});
        // Unchecking by hand does nothing more.
        run.tweaks().RecycleBinBox->click();
        QVERIFY(!run.tweaks().RecycleBinBox->isChecked());
        QCOMPARE(run.entries(QStringLiteral("info")), QStringList{"stuck.trashinfo"});
        QVERIFY(run.world.dialogs.requests.isEmpty());
    }

    void cdDoorAlternatesStartingWithOpenWhateverTheConsoleDoes()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().CdDoorButton->click();
        QVERIFY(run.world.features().systemTweaks().cdDoorOpen());
        // The console's "cd 0" closes the drive but the button still believes it open.
        run.world.ui().Button21->click();
        run.world.ui().console->setText(QStringLiteral("cd 0"));
        QTest::keyClick(run.world.ui().console, Qt::Key_Return);
        run.tweaks().CdDoorButton->click();
        run.tweaks().CdDoorButton->click();
        QCOMPARE(run.cdDoor->requests, (QStringList{"open", "close", "close", "open"}));
        QCOMPARE(run.tweaks().CdDoorButton->toolTip(), QStringLiteral("открыть Х-дюк"));
    }

    void sourceEditorRunsTheClassesRootCommandAsItStands()
    {
        TweakWorld run;
        QVERIFY(run.start());
        // A stored command of the development environment, placeholder and all; where the desktop has a C++ editor
        // its command answers instead. Either way the button runs what the key holds, unchanged.
        run.write(platform::Hive::ClassesRoot, QStringLiteral("BCBUnit\\Shell\\Open\\Command"), QString(),
                  QStringLiteral("C:\\Borland\\CBuilder6\\Bin\\bcb.exe \"%1\""));
        run.tweaks().SourceEditorButton->click();
        const QString expected =
            run.read(platform::Hive::ClassesRoot, QStringLiteral("BCBUnit\\Shell\\Open\\Command"), QString());
        QCOMPARE(run.tweaks().borl->text(), expected);
        QCOMPARE(run.runner->commandLines, QStringList{expected});
        QVERIFY(run.tweaks().borl->isHidden());
    }

    void layoutButtonAlternatesAndIsStoredAtClose()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().izik->click();
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("EN"));
        run.tweaks().izik->click();
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("RU"));
        run.tweaks().izik->click();
        QCOMPARE(run.layouts->activated, (QStringList{"00000409", "00000419", "00000409"}));
        QCOMPARE(run.world.features().systemTweaks().keyboardLayoutId(), QStringLiteral("00000409"));
        run.world.mainPage().CheckBox11->setChecked(true);
        run.world.form1().close();
        QCOMPARE(run.world.stored(QStringLiteral("izik")), QStringLiteral("00000409"));
    }

    void storedEnglishLayoutIsSetAgainAtEveryActivation()
    {
        QTemporaryDir config;
        {
            TweakWorld first(config.path());
            QVERIFY(first.start());
            first.world.store(QStringLiteral("izik"), QStringLiteral("00000409"));
        }
        TweakWorld run(config.path());
        QVERIFY(run.start());
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("EN"));
        QCOMPARE(run.layouts->activated, QStringList{"00000409"});
        // The store still says English: every later activation sets English again, never the other layout.
        for (int activation = 2; activation <= 3; ++activation) {
            QVERIFY(returnToMainWindow(run.world, run.world.form1().aboutWindow()));
            QTRY_COMPARE(run.layouts->activated.size(), activation);
            QCOMPARE(run.layouts->activated.last(), QStringLiteral("00000409"));
            QCOMPARE(run.tweaks().izik->text(), QStringLiteral("EN"));
            QCOMPARE(run.world.features().systemTweaks().keyboardLayoutId(), QStringLiteral("00000409"));
        }
        // The button itself still toggles from there.
        run.tweaks().izik->click();
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("RU"));
        QCOMPARE(run.layouts->activated.last(), QStringLiteral("00000419"));
    }

    void storedRussianLayoutLeavesTheButtonAlone()
    {
        QTemporaryDir config;
        {
            TweakWorld first(config.path());
            QVERIFY(first.start());
            first.world.store(QStringLiteral("izik"), QStringLiteral("00000419"));
        }
        TweakWorld run(config.path());
        QVERIFY(run.start());
        QCOMPARE(run.tweaks().izik->text(), QStringLiteral("RU"));
        QVERIFY(run.layouts->activated.isEmpty());
    }

    void iconOfAKnownTypeWithOrWithoutItsDot()
    {
        TweakWorld run;
        QVERIFY(run.start());
        const QImage design = run.picture();
        QVERIFY(!design.isNull());
        for (const QString& typed : {QStringLiteral("txt"), QStringLiteral(".pdf"), QStringLiteral("png")}) {
            run.lookUp(typed);
            QVERIFY2(!run.picture().isNull(), qPrintable(typed));
            QVERIFY2(run.picture() != design, qPrintable(typed));
            QCOMPARE(run.picture().size(), QSize(32, 32));
        }
        run.lookUp(QStringLiteral("txt"));
        const QImage text = run.picture();
        run.lookUp(QStringLiteral(".txt"));
        QCOMPARE(run.picture(), text);
        QVERIFY(run.world.dialogs.requests.isEmpty());
        QVERIFY(run.world.ui().ErroR->isHidden());
    }

    void unknownTypeClearsThePicture()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.lookUp(QStringLiteral("qqzzq-unknown"));
        QVERIFY(run.tweaks().Image1->pixmap().isNull());
    }

    void emptyExtensionShowsTheErrorIndicatorWhichThePanelHides()
    {
        TweakWorld run;
        QVERIFY(run.start());
        const QImage design = run.picture();
        run.lookUp(QString());
        QVERIFY(!run.world.ui().ErroR->isHidden());
        QCOMPARE(run.picture(), design);
        QWidget* panel = run.world.mainPage().TweakPanel;
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 58), panel->mapToGlobal(QPointF(2, 58)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
        QVERIFY(run.world.ui().ErroR->isHidden());
    }

    void enterInTheExtensionLooksUp()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.tweaks().Edit5->setText(QStringLiteral("qqzzq-unknown"));
        QTest::keyClick(run.tweaks().Edit5, Qt::Key_Return);
        QVERIFY(run.tweaks().Image1->pixmap().isNull());
    }

    void storedIconLocations_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("shows"); // "same", "none" or "file"
        QTest::newRow("its own icon") << "%1" << QString() << "same";
        QTest::newRow("picture file") << "FILE,0" << QString() << "file";
        QTest::newRow("no second picture") << "FILE,1" << QString() << "none";
        QTest::newRow("resource id") << "FILE,-3" << QString() << "none";
        QTest::newRow("not a number") << "C:\\WINDOWS\\system32\\shell32.dll,abc"
                                      << "abc"
                                      << "same";
        QTest::newRow("no comma") << "C:\\x.ico"
                                  << "C:\\x.ico"
                                  << "same";
        QTest::newRow("blank index") << "FILE, 0" << QString() << "file";
    }

    void storedIconLocations()
    {
        QFETCH(QString, location);
        QFETCH(QString, error);
        QFETCH(QString, shows);
        TweakWorld run;
        QTemporaryDir pictures;
        const QString file = pictures.path() + QStringLiteral("/blue.png");
        QVERIFY(filled(0xFF0000FF).save(file));
        QVERIFY(run.start());
        const QImage design = run.picture();
        // A file type the desktop does not know, with the keys a Windows program would have written.
        const QString classes = QStringLiteral("Software\\CLASSES\\");
        run.write(platform::Hive::LocalMachine, classes + QStringLiteral(".zzq"), QString(), QStringLiteral("zzqfile"));
        run.write(platform::Hive::LocalMachine, classes + QStringLiteral("zzqfile\\DefaultIcon"), QString(),
                  QString(location).replace(QLatin1String("FILE"), file));
        run.lookUp(QStringLiteral("zzq"));
        QCOMPARE(run.world.dialogs.errors(),
                 error.isEmpty()
                     ? QStringList()
                     : QStringList{errorReportText(QStringLiteral("'%1' is not a valid integer value").arg(error))});
        if (shows == QLatin1String("same"))
            QCOMPARE(run.picture(), design);
        else if (shows == QLatin1String("none"))
            QVERIFY(run.tweaks().Image1->pixmap().isNull());
        else
            QCOMPARE(run.picture().convertToFormat(QImage::Format_ARGB32), filled(0xFF0000FF));
    }

    void aTypeWithoutDefaultIconReadsItsClassNameAsTheLocation()
    {
        TweakWorld run;
        QVERIFY(run.start());
        run.write(platform::Hive::LocalMachine, QStringLiteral("Software\\CLASSES\\.zzq"), QString(),
                  QStringLiteral("zzqfile"));
        run.lookUp(QStringLiteral("zzq"));
        QCOMPARE(run.world.dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("'zzqfile' is not a valid integer value"))});
    }

    void mouseSpeedBarPassesEveryPosition()
    {
        TweakWorld run;
        QVERIFY(run.start());
        QSlider* bar = run.keyMouse().MouseSpeedBar;
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 10);
        bar->setValue(7);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(run.pointer->speeds, (QList<int>{7, 8, 0}));
    }

    void leftHandButtonSwapsAndRestores()
    {
        TweakWorld run;
        QVERIFY(run.start());
        QPushButton* button = run.keyMouse().LeftHandButton;
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Я правша"));
        QCOMPARE(run.pointer->swaps, QList<bool>{true});
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Я левша"));
        QCOMPARE(run.pointer->swaps, (QList<bool>{true, false}));
        QCOMPARE(run.world.dialogs.messages(), (QStringList{"А мне пофиг", "А мне пофиг"}));
        QVERIFY(run.world.features().systemTweaks().leftHanded() == false);
    }

    void pointerSettingsLandWhereTheDesktopKeepsThem_data()
    {
        QTest::addColumn<bool>("gnome");
        QTest::addColumn<bool>("libinputDevices");
        QTest::addColumn<bool>("corePointer");
        QTest::newRow("GNOME's settings and the libinput devices") << true << true << false;
        QTest::newRow("GNOME's settings alone (Wayland)") << true << false << false;
        QTest::newRow("libinput devices alone (X11 without GNOME)") << false << true << false;
        QTest::newRow("core pointer as the last resort") << false << false << true;
    }

    // The real pointer service with GNOME's real settings (in memory, not the tester's) and the X server's device
    // properties and core pointer recorded.
    void pointerSettingsLandWhereTheDesktopKeepsThem()
    {
        QFETCH(bool, gnome);
        QFETCH(bool, libinputDevices);
        QFETCH(bool, corePointer);
        QVERIFY2(gnomemouse::installed(), "gsettings-desktop-schemas must be installed");
        gnomemouse::reset();
        auto devices = std::make_shared<DevicePropertiesRecorder>();
        if (libinputDevices) {
            devices->devices[9] = {"libinput Accel Speed", "libinput Left Handed Enabled"};
            devices->devices[11] = {"libinput Accel Speed", "libinput Left Handed Enabled"};
        }
        devices->devices[14] = {"Device Enabled"};
        auto core = std::make_unique<PointerSettingsRecorder>();
        PointerSettingsRecorder& coreCalls = *core;
        TweakWorld run;
        run.world.platform->replace<platform::Pointer>(
            platform::detail::desktopPointer(gnome ? platform::detail::gnomeMouseSettings() : nullptr,
                                             platform::detail::libinputSettings(devices), std::move(core)));
        QVERIFY(run.start());

        QSlider* bar = run.keyMouse().MouseSpeedBar;
        bar->setValue(10);
        bar->setValue(3);
        // Position 0 is refused everywhere, as the system refuses speed 0.
        bar->setValue(0);
        QPushButton* button = run.keyMouse().LeftHandButton;
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Я правша"));

        QCOMPARE(gnomemouse::speed(), gnome ? -0.7 : 0.0);
        QCOMPARE(gnomemouse::leftHanded(), gnome);
        const auto speed = [](int device, float value) {
            return std::make_tuple(device, QStringLiteral("libinput Accel Speed"), value);
        };
        const auto left = [](int device, bool value) {
            return std::make_tuple(device, QStringLiteral("libinput Left Handed Enabled"), value);
        };
        using Floats = QList<std::tuple<int, QString, float>>;
        using Flags = QList<std::tuple<int, QString, bool>>;
        QCOMPARE(devices->floats, libinputDevices
                                      ? (Floats{speed(9, 0.0f), speed(11, 0.0f), speed(9, -0.7f), speed(11, -0.7f)})
                                      : Floats{});
        QCOMPARE(devices->flags, libinputDevices ? (Flags{left(9, true), left(11, true)}) : Flags{});
        QCOMPARE(coreCalls.speeds, corePointer ? (QList<int>{10, 3}) : QList<int>{});
        QCOMPARE(coreCalls.swaps, corePointer ? QList<bool>{true} : QList<bool>{});

        button->click();
        QCOMPARE(gnomemouse::leftHanded(), false);
        QCOMPARE(coreCalls.swaps, corePointer ? (QList<bool>{true, false}) : QList<bool>{});
        gnomemouse::reset();
    }
};

TROMBUS_GUI_TEST_MAIN(TweaksTest)
#include "tweaks_test.moc"
