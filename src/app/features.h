#pragma once

#include <QTimer>
#include <memory>

namespace Ui {
class Form1;
class MainPage;
} // namespace Ui
namespace platform {
class Platform;
}
class TForm1;
class TrayIcon;
class Lifecycle;
class StoredValues;
class Calculator;
class DiskMeter;
class HelpDictionary;
class Stopwatch;
class Reminders;
class Tickers;
class Appearance;
class StartWithSystem;
class LedShow;
class SystemMenus;
class Statistics;
class NotesGrid;
class Player;
class VolumeControls;
class WebViewer;
class ConsoleController;
class DriveButtons;
class RunBoxController;
class LauncherController;
class CompanionController;
class SystemTweaks;
class KeyCodes;
class Notepad;
class ClipboardViewer;
class InformationPage;
class SoundCheck;

// The program's features behind the main window: one controller per feature, the timers they run on, what
// one feature tells another, and each feature's rows in the window's lifecycle tables. The window runs the
// tables; a new feature is made, wired and given its rows here, and the window does not change.
class Features final
{
public:
    /// Makes the timers and the controllers over the window's form, wires them and builds the tables; the
    /// window's own steps (placement, status bar, tray) take their places in the tables from `window`.
    Features(TForm1& window, Ui::Form1& ui, TrayIcon& tray, platform::Platform& platform);
    ~Features();
    Features(const Features&) = delete;
    Features& operator=(const Features&) = delete;

    // The timers named in the design, with their design intervals; children of the window.
    QTimer Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Tim, pp, TIMER, BUDIL;

    /// The creation, show, hide, activation and close steps.
    const Lifecycle& lifecycle() const { return *m_lifecycle; }
    /// Every owner's stored values, which the settings store walks in the key's orders.
    const StoredValues& storedValues() const { return *m_storedValues; }

    Tickers& tickers() { return *m_tickers; }
    Appearance& appearance() { return *m_appearance; }
    LedShow& ledShow() { return *m_ledShow; }
    SystemMenus& systemMenus() { return *m_systemMenus; }
    Statistics& statistics() { return *m_statistics; }
    NotesGrid& notesGrid() { return *m_notesGrid; }
    Player& player() { return *m_player; }
    VolumeControls& volumeControls() { return *m_volumeControls; }
    /// Makes the internet page's controls if they are not made yet.
    WebViewer& webViewer();
    ConsoleController& console() { return *m_console; }
    const ConsoleController& console() const { return *m_console; }
    RunBoxController& runBox() { return *m_runBox; }
    LauncherController& launcher() { return *m_launcher; }
    CompanionController& companions() { return *m_companions; }
    SystemTweaks& systemTweaks() { return *m_systemTweaks; }
    /// Makes the help page's controls if they are not made yet.
    Notepad& notepad();
    ClipboardViewer& clipboardViewer() { return *m_clipboardViewer; }
    /// Both make the information page's controls if they are not made yet.
    InformationPage& informationPage();
    SoundCheck& soundCheck();

private:
    void setUpTimers(QObject& owner);
    void createControllers(TrayIcon& tray);
    void createHelpPageControllers();
    void createInfoPageControllers();
    void connectFeatures();
    void buildLifecycle();
    Ui::MainPage& mainPage();
    void runFirstRunDefaults();
    void restoreStoredState();
    void finishRestore();
    void storeCloseSet();

    TForm1& m_window;
    Ui::Form1& m_ui;
    platform::Platform& m_platform;

    std::unique_ptr<Calculator> m_calculator;
    std::unique_ptr<Stopwatch> m_stopwatch;
    std::unique_ptr<DiskMeter> m_diskMeter;
    std::unique_ptr<HelpDictionary> m_helpDictionary;
    std::unique_ptr<Reminders> m_reminders;
    std::unique_ptr<Tickers> m_tickers;
    std::unique_ptr<Appearance> m_appearance;
    std::unique_ptr<StartWithSystem> m_startWithSystem;
    std::unique_ptr<LedShow> m_ledShow;
    std::unique_ptr<SystemMenus> m_systemMenus;
    std::unique_ptr<Statistics> m_statistics;
    std::unique_ptr<NotesGrid> m_notesGrid;
    std::unique_ptr<Player> m_player;
    std::unique_ptr<VolumeControls> m_volumeControls;
    std::unique_ptr<WebViewer> m_webViewer;
    std::unique_ptr<ConsoleController> m_console;
    std::unique_ptr<DriveButtons> m_driveButtons;
    std::unique_ptr<RunBoxController> m_runBox;
    std::unique_ptr<LauncherController> m_launcher;
    std::unique_ptr<CompanionController> m_companions;
    std::unique_ptr<SystemTweaks> m_systemTweaks;
    std::unique_ptr<KeyCodes> m_keyCodes;
    std::unique_ptr<Notepad> m_notepad;
    std::unique_ptr<ClipboardViewer> m_clipboardViewer;
    std::unique_ptr<InformationPage> m_informationPage;
    std::unique_ptr<SoundCheck> m_soundCheck;
    // What the lifecycle asked of the disk meter before the help page was made.
    bool m_diskMeterFirstReadingDue = false;
    bool m_diskMeterSelectorsResetDue = false;
    std::unique_ptr<Lifecycle> m_lifecycle;
    std::unique_ptr<StoredValues> m_storedValues;
};
