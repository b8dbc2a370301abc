#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Key and mouse button codes as the key code display shows them: Windows virtual-key codes on every platform.

/// What a key press tells about its key.
struct KeyPress
{
    int qtKey = 0;
    /// The key is on the numeric keypad.
    bool keypad = false;
    quint32 nativeScanCode = 0;
    quint32 nativeVirtualKey = 0;
};

/// What the window system's native codes mean.
enum class NativeCodes
{
    None,            // no native codes (the headless platform): Qt's key alone decides
    X11Keycodes,     // the scan code is the X server's keycode of an evdev keyboard (X11, XWayland, Wayland)
    WindowsKeyCodes, // the native virtual key is the Windows virtual-key code itself
};

/// The kind of native codes of a Qt platform plugin ("xcb", "wayland", "windows", "offscreen", ...).
NativeCodes nativeCodesOf(const QString& platformName);

/// The Windows virtual-key code of a key press (65 for A, 13 for Enter, 112 for F1), from one table: Latin
/// letters and digits by themselves; other characters by the key that carries them where the native codes tell
/// it (so a Russian letter gives its key's Latin code, as on Windows), else by Qt's key; every other key by Qt's
/// key. Nothing for a key that has no virtual-key code.
std::optional<int> virtualKeyCode(const KeyPress& press, NativeCodes codes);

/// The code of a mouse button: 0 left, 1 right, 2 middle; nothing for other buttons.
std::optional<int> mouseButtonCode(Qt::MouseButton button);
