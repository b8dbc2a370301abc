#pragma once

namespace platform {
class Platform;
}
class QMainWindow;

// What a feature controller may ask of the main window beyond its own widgets. Cross-feature actions
// go through here rather than one controller reaching into another's controls.
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
};
