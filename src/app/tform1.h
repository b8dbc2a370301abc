#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/shell.h"
#include "common/storedvalue.h"

namespace Ui {
class Form1;
class MainPage;
} // namespace Ui
class ActivationTracker;
class LatePages;
class Features;
class TrayIcon;
class WindowPlacement;

// The main window: its close path, tray, placement, scale and colour, the Shell verbs, and its lifecycle handlers,
// which run the rows the features hold. The features themselves (controllers, timers, wiring) are in Features.
class TForm1 final : public QMainWindow, public Shell
{
    Q_OBJECT
public:
    TForm1(platform::Platform& platform, QStringList arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::Form1& form() { return *ui; }
    Features& features() { return *m_features; }

    // Shell
    platform::Platform& platform() override { return m_platform; }
    QMainWindow* mainWindow() override { return this; }
    void showErrorIndicator() override;
    void hideErrorIndicator() override;

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

    // The window's own steps, which the features' lifecycle tables put in their places.
    void centreOnMonitor();
    void startInTrayIfStored();
    void fillNamePanels();
    void fillStatusBar();
    void performServiceCommandFromArgument();
    /// The pages whose controls are made after the window's first paint.
    LatePages& latePages() { return *m_latePages; }
    /// The window's stored values: its colour, its frame's position and its size, and the close-to-tray switch.
    std::vector<StoredValue> storedValues();

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
    void connectCommands();
    void finishClose();
    /// A stored position from a monitor that is gone, or one that put the title bar above the screen, would
    /// leave the window where it cannot be dragged back.
    void placeFrameReachable(const QPoint& topLeft);
    /// A stored size larger than the screen (left by an oversized scale) would put the lower controls out of
    /// reach.
    void resizeWithinScreen(int width, int height);

    std::unique_ptr<Ui::Form1> ui;

    platform::Platform& m_platform;
    QStringList m_arguments;
    // Declared before the tray, so destroyed after it, as the controllers always were (the player holds the
    // tray's player menu).
    std::unique_ptr<Features> m_features;
    std::unique_ptr<ActivationTracker> m_activation;
    // The console's "close 1": the next close stores and ends without the question.
    bool m_quietClose = false;
    std::unique_ptr<TrayIcon> m_tray;
    // Set by the colour commands and the activation; before that the window shows its palette's colour.
    std::optional<qint32> m_color;
    bool m_inTray = false;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_form2;
    QPointer<QWidget> m_messia;
    WindowPlacement* m_placement = nullptr;
    LatePages* m_latePages = nullptr;
    // Every scale the window took, in order, for the pages made after it.
    std::vector<std::pair<int, int>> m_scaleSteps;
    enum class CloseState
    {
        Open,
        Farewell, // the farewell caption is up; further close requests are ignored
        Ending,   // the close goes through
    };
    CloseState m_closeState = CloseState::Open;
    int m_farewellDelayMs = 600;
};
