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
}
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

    /// Window colour as stored: 0x00BBGGRR, or a system colour with the high bit set.
    qint32 windowColor() const { return m_color; }
    void setWindowColor(qint32 color);
    /// Multiplies position, size and font of every control and the window's size by m/d, keeping the
    /// window's top-left corner in place; a scale whose window would not fit on its screen is refused
    /// (false) and changes nothing.
    bool scaleBy(int m, int d);
    /// Where the window's frame is (or is about to be) and where the program puts it.
    WindowPlacement& placement() { return *m_placement; }
    int scalePercent() const { return m_scalePercent; }
    void setScalePercent(int percent) { m_scalePercent = percent; }
    bool inTray() const { return m_inTray; }
    TrayIcon& trayIcon() { return *m_tray; }
    /// The windows created after this one, hidden, in creation order.
    void setSecondaryWindows(QWidget* about, QWidget* form2, QWidget* messia);
    QWidget* aboutWindow() const { return m_about; }
    QWidget* form2Window() const { return m_form2; }
    QWidget* messiaWindow() const { return m_messia; }

    // State the store keeps for features that take it over (launcher list, keyboard layout).
    LauncherAppearance launcherAppearance;
    QString KeyboardLayoutId;

    /// Process-wide flag of the console's "close" command: end without the question.
    bool QuietClose = false;

    /// The player's share of the clock tick.
    void PlayerTick();
    /// Opens the companion start list's entries, once, when the fade-in ends.
    void RunCompanions();
    /// Shows or hides the console.
    void ToggleConsole();
    /// The usage-statistics panel's figures, read afresh (the service command).
    void refreshStatistics();

    // The life features' controllers, for the steps that reach them and for tests.
    Tickers& tickers() { return *m_tickers; }
    Appearance& appearance() { return *m_appearance; }
    LedShow& ledShow() { return *m_ledShow; }
    SystemMenus& systemMenus() { return *m_systemMenus; }
    Statistics& statistics() { return *m_statistics; }
    NotesGrid& notesGrid() { return *m_notesGrid; }

signals:
    /// The close path let the close proceed: the program ends.
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpTimers();
    void connectCommands();
    void centreOnMonitor();
    void placeFrameReachable(const QPoint& topLeft);
    void resizeWithinScreen(int width, int height);
    void finishClose();
    void fillStatusBar();
    void restoreStoredState();
    WindowSettings currentWindowSettings() const;
    void storeCloseSet();
    void performServiceCommandFromArgument();

    // Steps that hand over to other features; each is explained where it is defined.
    void initAlarmFields();
    void setUpAnimators();
    void loadCompanionList();
    void layOutPlayerStrip();
    void updateDiskMeter();
    void startFadeIn();
    void resetPlaylistHover();
    void addSystemMenuItems();
    void readVolumeIntoSlider();
    void colourPlaylist();
    void fillRunHistory();
    void clickKeyboardLayoutButton();
    void disablePlayerNext();
    void resetDiskMeterSelectors();
    void reloadLauncherList();
    void runConsoleLine();
    void createControllers();
    void setCalendarToToday();
    void applyLauncherAppearance();
    void showNotes();
    void collectNotes();

    std::unique_ptr<Ui::Form1> ui;

    // Feature controllers, one per feature; made by createControllers() before FormCreate.
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

    platform::Platform& m_platform;
    QStringList m_arguments;
    std::unique_ptr<ActivationTracker> m_activation;
    std::unique_ptr<TrayIcon> m_tray;
    qint32 m_color = 0;
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
