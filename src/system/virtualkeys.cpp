#include "system/virtualkeys.h"

namespace {

// One key of the table: Qt's key, the X keycode of the key that carries it on a PC keyboard (0 when the key's
// code does not depend on the layout), and its Windows virtual-key code. A virtual-key code may have several
// rows: the key's unshifted, shifted and Russian characters.
struct KeyRow
{
    int qtKey;
    int x11Keycode;
    int virtualKey;
};

constexpr int cyrillic(char16_t letter)
{
    return int(letter);
}

constexpr KeyRow kKeys[] = {
    // Digit row: 1 ... 9, 0 and their shifted US characters.
    {Qt::Key_1, 10, 0x31},
    {Qt::Key_Exclam, 10, 0x31},
    {Qt::Key_2, 11, 0x32},
    {Qt::Key_At, 11, 0x32},
    {Qt::Key_3, 12, 0x33},
    {Qt::Key_NumberSign, 12, 0x33},
    {cyrillic(u'№'), 12, 0x33},
    {Qt::Key_4, 13, 0x34},
    {Qt::Key_Dollar, 13, 0x34},
    {Qt::Key_5, 14, 0x35},
    {Qt::Key_Percent, 14, 0x35},
    {Qt::Key_6, 15, 0x36},
    {Qt::Key_AsciiCircum, 15, 0x36},
    {Qt::Key_7, 16, 0x37},
    {Qt::Key_Ampersand, 16, 0x37},
    {Qt::Key_8, 17, 0x38},
    {Qt::Key_Asterisk, 17, 0x38},
    {Qt::Key_9, 18, 0x39},
    {Qt::Key_ParenLeft, 18, 0x39},
    {Qt::Key_0, 19, 0x30},
    {Qt::Key_ParenRight, 19, 0x30},
    // Letters: the Latin letter, then the Russian letter on the same key.
    {Qt::Key_Q, 24, 'Q'},
    {cyrillic(u'Й'), 24, 'Q'},
    {Qt::Key_W, 25, 'W'},
    {cyrillic(u'Ц'), 25, 'W'},
    {Qt::Key_E, 26, 'E'},
    {cyrillic(u'У'), 26, 'E'},
    {Qt::Key_R, 27, 'R'},
    {cyrillic(u'К'), 27, 'R'},
    {Qt::Key_T, 28, 'T'},
    {cyrillic(u'Е'), 28, 'T'},
    {Qt::Key_Y, 29, 'Y'},
    {cyrillic(u'Н'), 29, 'Y'},
    {Qt::Key_U, 30, 'U'},
    {cyrillic(u'Г'), 30, 'U'},
    {Qt::Key_I, 31, 'I'},
    {cyrillic(u'Ш'), 31, 'I'},
    {Qt::Key_O, 32, 'O'},
    {cyrillic(u'Щ'), 32, 'O'},
    {Qt::Key_P, 33, 'P'},
    {cyrillic(u'З'), 33, 'P'},
    {Qt::Key_A, 38, 'A'},
    {cyrillic(u'Ф'), 38, 'A'},
    {Qt::Key_S, 39, 'S'},
    {cyrillic(u'Ы'), 39, 'S'},
    {Qt::Key_D, 40, 'D'},
    {cyrillic(u'В'), 40, 'D'},
    {Qt::Key_F, 41, 'F'},
    {cyrillic(u'А'), 41, 'F'},
    {Qt::Key_G, 42, 'G'},
    {cyrillic(u'П'), 42, 'G'},
    {Qt::Key_H, 43, 'H'},
    {cyrillic(u'Р'), 43, 'H'},
    {Qt::Key_J, 44, 'J'},
    {cyrillic(u'О'), 44, 'J'},
    {Qt::Key_K, 45, 'K'},
    {cyrillic(u'Л'), 45, 'K'},
    {Qt::Key_L, 46, 'L'},
    {cyrillic(u'Д'), 46, 'L'},
    {Qt::Key_Z, 52, 'Z'},
    {cyrillic(u'Я'), 52, 'Z'},
    {Qt::Key_X, 53, 'X'},
    {cyrillic(u'Ч'), 53, 'X'},
    {Qt::Key_C, 54, 'C'},
    {cyrillic(u'С'), 54, 'C'},
    {Qt::Key_V, 55, 'V'},
    {cyrillic(u'М'), 55, 'V'},
    {Qt::Key_B, 56, 'B'},
    {cyrillic(u'И'), 56, 'B'},
    {Qt::Key_N, 57, 'N'},
    {cyrillic(u'Т'), 57, 'N'},
    {Qt::Key_M, 58, 'M'},
    {cyrillic(u'Ь'), 58, 'M'},
    // Punctuation keys (the OEM codes of the US layout) with their shifted and Russian characters.
    {Qt::Key_QuoteLeft, 49, 0xC0},
    {Qt::Key_AsciiTilde, 49, 0xC0},
    {cyrillic(u'Ё'), 49, 0xC0},
    {Qt::Key_Minus, 20, 0xBD},
    {Qt::Key_Underscore, 20, 0xBD},
    {Qt::Key_Equal, 21, 0xBB},
    {Qt::Key_Plus, 21, 0xBB},
    {Qt::Key_BracketLeft, 34, 0xDB},
    {Qt::Key_BraceLeft, 34, 0xDB},
    {cyrillic(u'Х'), 34, 0xDB},
    {Qt::Key_BracketRight, 35, 0xDD},
    {Qt::Key_BraceRight, 35, 0xDD},
    {cyrillic(u'Ъ'), 35, 0xDD},
    {Qt::Key_Semicolon, 47, 0xBA},
    {Qt::Key_Colon, 47, 0xBA},
    {cyrillic(u'Ж'), 47, 0xBA},
    {Qt::Key_Apostrophe, 48, 0xDE},
    {Qt::Key_QuoteDbl, 48, 0xDE},
    {cyrillic(u'Э'), 48, 0xDE},
    {Qt::Key_Backslash, 51, 0xDC},
    {Qt::Key_Bar, 51, 0xDC},
    {Qt::Key_Comma, 59, 0xBC},
    {Qt::Key_Less, 59, 0xBC},
    {cyrillic(u'Б'), 59, 0xBC},
    {Qt::Key_Period, 60, 0xBE},
    {Qt::Key_Greater, 60, 0xBE},
    {cyrillic(u'Ю'), 60, 0xBE},
    {Qt::Key_Slash, 61, 0xBF},
    {Qt::Key_Question, 61, 0xBF},
    {0, 94, 0xE2}, // the extra key beside left Shift on European keyboards
    // Keys whose code does not depend on the layout.
    {Qt::Key_Cancel, 0, 0x03},
    {Qt::Key_Backspace, 0, 0x08},
    {Qt::Key_Tab, 0, 0x09},
    {Qt::Key_Backtab, 0, 0x09},
    {Qt::Key_Clear, 0, 0x0C},
    {Qt::Key_Return, 0, 0x0D},
    {Qt::Key_Enter, 0, 0x0D},
    {Qt::Key_Shift, 0, 0x10},
    {Qt::Key_Control, 0, 0x11},
    {Qt::Key_Alt, 0, 0x12},
    {Qt::Key_AltGr, 0, 0x12},
    {Qt::Key_Pause, 0, 0x13},
    {Qt::Key_CapsLock, 0, 0x14},
    {Qt::Key_Escape, 0, 0x1B},
    {Qt::Key_Space, 0, 0x20},
    {Qt::Key_PageUp, 0, 0x21},
    {Qt::Key_PageDown, 0, 0x22},
    {Qt::Key_End, 0, 0x23},
    {Qt::Key_Home, 0, 0x24},
    {Qt::Key_Left, 0, 0x25},
    {Qt::Key_Up, 0, 0x26},
    {Qt::Key_Right, 0, 0x27},
    {Qt::Key_Down, 0, 0x28},
    {Qt::Key_Select, 0, 0x29},
    {Qt::Key_Printer, 0, 0x2A},
    {Qt::Key_Execute, 0, 0x2B},
    {Qt::Key_Print, 0, 0x2C},
    {Qt::Key_Insert, 0, 0x2D},
    {Qt::Key_Delete, 0, 0x2E},
    {Qt::Key_Help, 0, 0x2F},
    {Qt::Key_Meta, 133, 0x5B},
    {Qt::Key_Super_L, 133, 0x5B},
    {Qt::Key_Super_R, 134, 0x5C},
    {Qt::Key_Menu, 135, 0x5D},
    {Qt::Key_Sleep, 0, 0x5F},
    {Qt::Key_NumLock, 0, 0x90},
    {Qt::Key_ScrollLock, 0, 0x91},
    {Qt::Key_Back, 0, 0xA6},
    {Qt::Key_Forward, 0, 0xA7},
    {Qt::Key_Refresh, 0, 0xA8},
    {Qt::Key_Stop, 0, 0xA9},
    {Qt::Key_Search, 0, 0xAA},
    {Qt::Key_Favorites, 0, 0xAB},
    {Qt::Key_HomePage, 0, 0xAC},
    {Qt::Key_VolumeMute, 0, 0xAD},
    {Qt::Key_VolumeDown, 0, 0xAE},
    {Qt::Key_VolumeUp, 0, 0xAF},
    {Qt::Key_MediaNext, 0, 0xB0},
    {Qt::Key_MediaPrevious, 0, 0xB1},
    {Qt::Key_MediaStop, 0, 0xB2},
    {Qt::Key_MediaPlay, 0, 0xB3},
    {Qt::Key_MediaTogglePlayPause, 0, 0xB3},
    {Qt::Key_LaunchMail, 0, 0xB4},
    {Qt::Key_LaunchMedia, 0, 0xB5},
    {Qt::Key_Launch0, 0, 0xB6},
    {Qt::Key_Launch1, 0, 0xB7},
    {Qt::Key_Play, 0, 0xFA},
    {Qt::Key_Zoom, 0, 0xFB},
};

// The number pad's digits and operators have codes of their own.
std::optional<int> keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 0x60 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 0x6A;
    case Qt::Key_Plus:
        return 0x6B;
    case Qt::Key_Minus:
        return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 0x6E;
    case Qt::Key_Slash:
        return 0x6F;
    default:
        return std::nullopt;
    }
}

} // namespace

NativeCodes nativeCodesOf(const QString& platformName)
{
    if (platformName == QLatin1String("windows"))
        return NativeCodes::WindowsKeyCodes;
    if (platformName == QLatin1String("xcb") || platformName.startsWith(QLatin1String("wayland")))
        return NativeCodes::X11Keycodes;
    return NativeCodes::None;
}

std::optional<int> virtualKeyCode(const KeyPress& press, NativeCodes codes)
{
    if (codes == NativeCodes::WindowsKeyCodes && press.nativeVirtualKey != 0)
        return int(press.nativeVirtualKey & 0xFFFF);
    if (press.keypad)
        if (std::optional<int> code = keypadCode(press.qtKey))
            return code;
    // Latin letters and digits are their own codes, as Windows gives them on every Latin layout (German Z, French A).
    if ((press.qtKey >= Qt::Key_A && press.qtKey <= Qt::Key_Z) ||
        (press.qtKey >= Qt::Key_0 && press.qtKey <= Qt::Key_9))
        return press.qtKey;
    // Other characters go by the key that carries them: the Russian layout keeps the US layout's codes.
    if (codes == NativeCodes::X11Keycodes && press.nativeScanCode != 0 && !press.keypad) {
        for (const KeyRow& row : kKeys)
            if (row.x11Keycode == int(press.nativeScanCode))
                return row.virtualKey;
    }
    if (press.qtKey >= Qt::Key_F1 && press.qtKey <= Qt::Key_F24)
        return 0x70 + (press.qtKey - Qt::Key_F1);
    for (const KeyRow& row : kKeys)
        if (row.qtKey != 0 && row.qtKey == press.qtKey)
            return row.virtualKey;
    return std::nullopt;
}

std::optional<int> mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    default:
        return std::nullopt;
    }
}
