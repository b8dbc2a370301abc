#pragma once

#include <QtGlobal>

namespace platform {
class Platform;
}
class QMainWindow;
class QString;

// What a feature controller may ask of the main window beyond its own widgets. Controllers get this and the
// services and timers they drive, never the window itself; what one feature asks of another goes through
// signals wired in one place, the main window's wiring.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual platform::Platform& platform() = 0;
    virtual QMainWindow* mainWindow() = 0;

    /// Shows the shared red "ErroR" indicator.
    virtual void showErrorIndicator() = 0;
    /// Hides it again (mouse movement over the window's free surface and over some groups).
    virtual void hideErrorIndicator() = 0;
    /// The "About" dialog, from the system menus' item as well as from the window's own buttons.
    virtual void showAbout() = 0;

    /// The main window's caption.
    virtual void setCaption(const QString& caption) = 0;
    /// Window colour as stored: 0x00BBGGRR, or a system colour with the high bit set.
    virtual qint32 windowColor() const = 0;
    virtual void setWindowColor(qint32 color) = 0;
    /// The window's opacity, 0 to 255.
    virtual void setOpacity(int alpha) = 0;

    /// Multiplies position, size and font of every control and the window's size by m/d, keeping the
    /// window's top-left corner in place; a scale whose window would not fit on its screen is refused
    /// (false) and changes nothing.
    virtual bool scaleBy(int m, int d) = 0;

    /// Asks the window to close through its close path; a quiet close stores the settings and ends the
    /// program without the question and without the close-to-tray diversion.
    virtual void requestClose(bool quiet) = 0;

    /// The tray icon; the console's "hide" takes it away with the window for a while.
    virtual void setTrayIconVisible(bool visible) = 0;
    /// The console's service mode: off at every start, switched by its hidden command, never stored.
    virtual bool serviceMode() const = 0;
};
