#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "system/virtualkeys.h"

namespace {

struct KeyCase
{
    const char* name;
    KeyPress press;
    NativeCodes codes;
    std::optional<int> code;
};

void PrintTo(const KeyCase& row, std::ostream* out)
{
    *out << row.name;
}

constexpr int cyrillic(char16_t letter)
{
    return int(letter);
}

class VirtualKeyCode : public testing::TestWithParam<KeyCase>
{
};

TEST_P(VirtualKeyCode, IsTheWindowsCodeOfTheKey)
{
    EXPECT_EQ(virtualKeyCode(GetParam().press, GetParam().codes), GetParam().code);
}

constexpr NativeCodes kNone = NativeCodes::None;
constexpr NativeCodes kX11 = NativeCodes::X11Keycodes;
constexpr NativeCodes kWindows = NativeCodes::WindowsKeyCodes;

// Keys known by Qt's key alone, as the headless platform delivers them.
INSTANTIATE_TEST_SUITE_P(
    QtKeys, VirtualKeyCode,
    testing::Values(
        KeyCase{"letter_A", {Qt::Key_A}, kNone, 65}, KeyCase{"letter_Z", {Qt::Key_Z}, kNone, 90},
        KeyCase{"digit_1", {Qt::Key_1}, kNone, 49}, KeyCase{"digit_0", {Qt::Key_0}, kNone, 48},
        KeyCase{"shifted_1", {Qt::Key_Exclam}, kNone, 49}, KeyCase{"shifted_9", {Qt::Key_ParenLeft}, kNone, 57},
        KeyCase{"F1", {Qt::Key_F1}, kNone, 112}, KeyCase{"F12", {Qt::Key_F12}, kNone, 123},
        KeyCase{"F24", {Qt::Key_F24}, kNone, 135}, KeyCase{"left", {Qt::Key_Left}, kNone, 37},
        KeyCase{"up", {Qt::Key_Up}, kNone, 38}, KeyCase{"right", {Qt::Key_Right}, kNone, 39},
        KeyCase{"down", {Qt::Key_Down}, kNone, 40}, KeyCase{"shift", {Qt::Key_Shift}, kNone, 16},
        KeyCase{"control", {Qt::Key_Control}, kNone, 17}, KeyCase{"alt", {Qt::Key_Alt}, kNone, 18},
        KeyCase{"enter", {Qt::Key_Return}, kNone, 13}, KeyCase{"escape", {Qt::Key_Escape}, kNone, 27},
        KeyCase{"space", {Qt::Key_Space}, kNone, 32}, KeyCase{"tab", {Qt::Key_Tab}, kNone, 9},
        KeyCase{"shift_tab", {Qt::Key_Backtab}, kNone, 9}, KeyCase{"backspace", {Qt::Key_Backspace}, kNone, 8},
        KeyCase{"delete", {Qt::Key_Delete}, kNone, 46}, KeyCase{"insert", {Qt::Key_Insert}, kNone, 45},
        KeyCase{"home", {Qt::Key_Home}, kNone, 36}, KeyCase{"end", {Qt::Key_End}, kNone, 35},
        KeyCase{"page_up", {Qt::Key_PageUp}, kNone, 33}, KeyCase{"page_down", {Qt::Key_PageDown}, kNone, 34},
        KeyCase{"print_screen", {Qt::Key_Print}, kNone, 44}, KeyCase{"pause", {Qt::Key_Pause}, kNone, 19},
        KeyCase{"caps_lock", {Qt::Key_CapsLock}, kNone, 20}, KeyCase{"num_lock", {Qt::Key_NumLock}, kNone, 144},
        KeyCase{"scroll_lock", {Qt::Key_ScrollLock}, kNone, 145}, KeyCase{"windows", {Qt::Key_Meta}, kNone, 91},
        KeyCase{"menu", {Qt::Key_Menu}, kNone, 93}, KeyCase{"backquote", {Qt::Key_QuoteLeft}, kNone, 192},
        KeyCase{"tilde", {Qt::Key_AsciiTilde}, kNone, 192}, KeyCase{"minus", {Qt::Key_Minus}, kNone, 189},
        KeyCase{"equals", {Qt::Key_Equal}, kNone, 187}, KeyCase{"left_bracket", {Qt::Key_BracketLeft}, kNone, 219},
        KeyCase{"right_bracket", {Qt::Key_BracketRight}, kNone, 221},
        KeyCase{"backslash", {Qt::Key_Backslash}, kNone, 220}, KeyCase{"semicolon", {Qt::Key_Semicolon}, kNone, 186},
        KeyCase{"apostrophe", {Qt::Key_Apostrophe}, kNone, 222}, KeyCase{"comma", {Qt::Key_Comma}, kNone, 188},
        KeyCase{"period", {Qt::Key_Period}, kNone, 190}, KeyCase{"slash", {Qt::Key_Slash}, kNone, 191},
        KeyCase{"question", {Qt::Key_Question}, kNone, 191}, KeyCase{"volume_up", {Qt::Key_VolumeUp}, kNone, 175},
        KeyCase{"play_pause", {Qt::Key_MediaTogglePlayPause}, kNone, 179},
        KeyCase{"unknown", {Qt::Key_unknown}, kNone, std::nullopt},
        KeyCase{"hyper", {Qt::Key_Hyper_L}, kNone, std::nullopt}));

// The Russian layout's letters are the same keys as the Latin ones.
INSTANTIATE_TEST_SUITE_P(RussianLetters, VirtualKeyCode,
                         testing::Values(KeyCase{"ef_is_A", {cyrillic(u'Ф')}, kNone, 65},
                                         KeyCase{"short_i_is_Q", {cyrillic(u'Й')}, kNone, 81},
                                         KeyCase{"ya_is_Z", {cyrillic(u'Я')}, kNone, 90},
                                         KeyCase{"io_is_backquote", {cyrillic(u'Ё')}, kNone, 192},
                                         KeyCase{"zhe_is_semicolon", {cyrillic(u'Ж')}, kNone, 186},
                                         KeyCase{"kha_is_left_bracket", {cyrillic(u'Х')}, kNone, 219},
                                         KeyCase{"be_is_comma", {cyrillic(u'Б')}, kNone, 188},
                                         KeyCase{"yu_is_period", {cyrillic(u'Ю')}, kNone, 190},
                                         KeyCase{"number_sign_is_3", {cyrillic(u'№')}, kNone, 51}));

// The number pad's own codes, and its other keys as the keys they stand for.
INSTANTIATE_TEST_SUITE_P(Keypad, VirtualKeyCode,
                         testing::Values(KeyCase{"pad_0", {Qt::Key_0, true}, kNone, 96},
                                         KeyCase{"pad_5", {Qt::Key_5, true}, kNone, 101},
                                         KeyCase{"pad_9", {Qt::Key_9, true}, kNone, 105},
                                         KeyCase{"pad_multiply", {Qt::Key_Asterisk, true}, kNone, 106},
                                         KeyCase{"pad_add", {Qt::Key_Plus, true}, kNone, 107},
                                         KeyCase{"pad_subtract", {Qt::Key_Minus, true}, kNone, 109},
                                         KeyCase{"pad_decimal", {Qt::Key_Period, true}, kNone, 110},
                                         KeyCase{"pad_decimal_comma", {Qt::Key_Comma, true}, kNone, 110},
                                         KeyCase{"pad_divide", {Qt::Key_Slash, true}, kNone, 111},
                                         KeyCase{"pad_enter", {Qt::Key_Enter, true}, kNone, 13},
                                         KeyCase{"pad_home_without_num_lock", {Qt::Key_Home, true}, kNone, 36},
                                         KeyCase{"pad_1_on_x11", {Qt::Key_1, true, 87}, kX11, 97},
                                         KeyCase{"pad_end_on_x11", {Qt::Key_End, true, 87}, kX11, 35}));

// On X a character other than a Latin letter or digit goes by the key that types it; keys the table does not
// place by keycode still go by Qt's key.
INSTANTIATE_TEST_SUITE_P(X11Keycodes, VirtualKeyCode,
                         testing::Values(KeyCase{"russian_ef_by_keycode", {cyrillic(u'Ф'), false, 38}, kX11, 65},
                                         KeyCase{"latin_q_by_keycode", {Qt::Key_Q, false, 24}, kX11, 81},
                                         KeyCase{"russian_period_on_slash_key", {Qt::Key_Period, false, 61}, kX11, 191},
                                         KeyCase{"russian_comma_on_slash_key", {Qt::Key_Comma, false, 61}, kX11, 191},
                                         KeyCase{"shifted_digit_by_keycode", {Qt::Key_QuoteDbl, false, 11}, kX11, 50},
                                         KeyCase{"german_z_on_y_key", {Qt::Key_Z, false, 29}, kX11, 90},
                                         KeyCase{"french_a_on_q_key", {Qt::Key_A, false, 24}, kX11, 65},
                                         KeyCase{"extra_european_key", {Qt::Key_Less, false, 94}, kX11, 226},
                                         KeyCase{"right_windows_key", {Qt::Key_Meta, false, 134}, kX11, 92},
                                         KeyCase{"right_shift_by_qt_key", {Qt::Key_Shift, false, 62}, kX11, 16},
                                         KeyCase{"F5_by_qt_key", {Qt::Key_F5, false, 71}, kX11, 116},
                                         KeyCase{"keycode_without_x11", {Qt::Key_Period, false, 61}, kNone, 190}));

// On Windows the native virtual key is the answer; without one Qt's key stands in.
INSTANTIATE_TEST_SUITE_P(WindowsCodes, VirtualKeyCode,
                         testing::Values(KeyCase{"native_A", {cyrillic(u'Ф'), false, 30, 0x41}, kWindows, 65},
                                         KeyCase{"native_oem_102", {Qt::Key_Backslash, false, 86, 0xE2}, kWindows, 226},
                                         KeyCase{
                                             "native_high_bits_dropped", {Qt::Key_A, false, 30, 0x10041}, kWindows, 65},
                                         KeyCase{"no_native_code", {Qt::Key_F2, false, 0, 0}, kWindows, 113}));

TEST(MouseButtonCode, LeftRightAndMiddleAreZeroOneAndTwo)
{
    EXPECT_EQ(mouseButtonCode(Qt::LeftButton), 0);
    EXPECT_EQ(mouseButtonCode(Qt::RightButton), 1);
    EXPECT_EQ(mouseButtonCode(Qt::MiddleButton), 2);
    EXPECT_EQ(mouseButtonCode(Qt::BackButton), std::nullopt);
    EXPECT_EQ(mouseButtonCode(Qt::ForwardButton), std::nullopt);
}

TEST(NativeCodes, FollowTheWindowSystem)
{
    EXPECT_EQ(nativeCodesOf(QStringLiteral("xcb")), NativeCodes::X11Keycodes);
    EXPECT_EQ(nativeCodesOf(QStringLiteral("wayland")), NativeCodes::X11Keycodes);
    EXPECT_EQ(nativeCodesOf(QStringLiteral("wayland-egl")), NativeCodes::X11Keycodes);
    EXPECT_EQ(nativeCodesOf(QStringLiteral("windows")), NativeCodes::WindowsKeyCodes);
    EXPECT_EQ(nativeCodesOf(QStringLiteral("offscreen")), NativeCodes::None);
    EXPECT_EQ(nativeCodesOf(QStringLiteral("minimal")), NativeCodes::None);
}

} // namespace
