#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/settingsstore.h"
#include "common/shell.h"

namespace Ui {
class Form1;
class MainPage;
} // namespace Ui
class ActivationTracker;
class Calculator;
class DiskMeter;
class HelpDictionary;
class Stopwatch;
class Reminders;
class TrayIcon;
class Tickers;
class Appearance;
class StartWithSystem;
class LedShow;
class SystemMenus;
class Statistics;
class NotesGrid;
class WindowPlacement;
class Lifecycle;
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

// The main window: its lifecycle in a fixed order, the shared services, and the feature
// controllers. Features keep their own rules in their controllers; this class only wires them.
class TForm1 final : public QMainWindow, public Shell
{
    Q_OBJECT
public:
    TForm1(platform::Platform& platform, QStringList arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::Form1& form() { return *ui; }

    // Shell
    platform::Platform& platform() override { return m_platform; }
    QMainWindow* mainWindow() override { return this; }
    void showErrorIndicator() override;
    void hideErrorIndicator() override;

    // The timers of the main window, with their design intervals.
    QTimer Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7, Timer8, Tim, pp, TIMER, BUDIL;

    // Lifecycle handlers.
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormActivate();
    /// What the close path decided.
    enum class CloseDecision
    {
        Cancel,           // the window stays as it was
        EndNow,           // the quiet close: the program ends at once
        EndAfterFarewell, // the farewell caption shows for a moment, then the program ends
    };
    /// The close path.
    CloseDecision FormClose();
    /// How long the farewell caption stays before the program ends (tests make it 0).
    void setFarewellDelay(int milliseconds) { m_farewellDelayMs = milliseconds; }
    /// True from the moment the close path said yes.
    bool closing() const { return m_closeState != CloseState::Open; }

    // Commands that show, minimise or close.
    void BitBtn2Click();
    void restoreFromTray();
    void BitBtn3Click();
    void N2Click();
    void showAbout() override;
    void Panel5Click();

    void CheckBox7Click();
    void CheckBox8Click();

    /// Window colour as stored: 0x00BBGGRR, or a system colour with the high bit set; until a colour is set,
    /// the one the window shows.
    qint32 windowColor() const override;
    void setWindowColor(qint32 color) override;
    void setCaption(const QString& caption) override;
    void setOpacity(int alpha) override { setWindowOpacity(alpha / 255.0); }
    bool scaleBy(int m, int d) override;
    int scalePercent() const override { return m_scalePercent; }
    void setScalePercent(int percent) override { m_scalePercent = percent; }
    void requestClose(bool quiet) override;
    void setTrayIconVisible(bool visible) override;
    bool serviceMode() const override;

    /// Where the window's frame is (or is about to be) and where the program puts it.
    WindowPlacement& placement() { return *m_placement; }
    bool inTray() const { return m_inTray; }
    TrayIcon& trayIcon() { return *m_tray; }
    /// The windows created after this one, hidden, in creation order.
    void setSecondaryWindows(QWidget* about, QWidget* form2, QWidget* messia);
    QWidget* aboutWindow() const { return m_about; }
    QWidget* form2Window() const { return m_form2; }
    QWidget* messiaWindow() const { return m_messia; }

    // The features' controllers, for tests.
    Tickers& tickers() { return *m_tickers; }
    LedShow& ledShow() { return *m_ledShow; }
    SystemMenus& systemMenus() { return *m_systemMenus; }
    Statistics& statistics() { return *m_statistics; }
    NotesGrid& notesGrid() { return *m_notesGrid; }
    Player& player() { return *m_player; }
    VolumeControls& volumeControls() { return *m_volumeControls; }
    WebViewer& webViewer() { return *m_webViewer; }
    ConsoleController& console() { return *m_console; }
    RunBoxController& runBox() { return *m_runBox; }
    LauncherController& launcher() { return *m_launcher; }
    CompanionController& companions() { return *m_companions; }
    SystemTweaks& systemTweaks() { return *m_systemTweaks; }
    Notepad& notepad() { return *m_notepad; }
    ClipboardViewer& clipboardViewer() { return *m_clipboardViewer; }
    InformationPage& informationPage() { return *m_informationPage; }
    SoundCheck& soundCheck() { return *m_soundCheck; }

signals:
    /// The close path let the close proceed: the program ends.
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Ui::MainPage& mainPage();
    void setUpTimers();
    void connectCommands();
    void createControllers();
    void buildLifecycle();
    void centreOnMonitor();
    void placeFrameReachable(const QPoint& topLeft);
    void resizeWithinScreen(int width, int height);
    void finishClose();
    void fillStatusBar();
    void runFirstRunDefaults();
    void startInTrayIfStored();
    void restoreStoredState();
    void finishRestore();
    void fillNamePanels();
    WindowSettings currentWindowSettings() const;
    void storeCloseSet();
    void performServiceCommandFromArgument();

    std::unique_ptr<Ui::Form1> ui;

    // Feature controllers, one per feature; made by createControllers() before the creation steps run.
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

    platform::Platform& m_platform;
    QStringList m_arguments;
    std::unique_ptr<ActivationTracker> m_activation;
    std::unique_ptr<Lifecycle> m_lifecycle;
    // The console's "close 1": the next close stores and ends without the question.
    bool m_quietClose = false;
    std::unique_ptr<TrayIcon> m_tray;
    // Set by the colour commands and the activation; before that the window shows its palette's colour.
    std::optional<qint32> m_color;
    int m_scalePercent = 100;
    bool m_inTray = false;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_form2;
    QPointer<QWidget> m_messia;
    WindowPlacement* m_placement = nullptr;
    enum class CloseState
    {
        Open,
        Farewell, // the farewell caption is up; further close requests are ignored
        Ending,   // the close goes through
    };
    CloseState m_closeState = CloseState::Open;
    int m_farewellDelayMs = 600;
};
