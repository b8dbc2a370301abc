#pragma once

#include <QFont>
#include <QString>
#include <optional>

#include "common/colors.h"

// How the launcher list looks, as stored with the window's other settings (LauncherController::storedValues).
struct LauncherAppearance
{
    int viewStyle = 3;
    qint32 color = clWindow;
    qint32 fontColor = clWindowText;
    int fontSize = 8;
    QString fontName = QStringLiteral("MS Sans Serif");
    int firstColumnWidth = 121;
};

// View styles of the launcher list by their stored number.
enum class LauncherViewStyle : int
{
    LargeIcons = 0,
    SmallIcons = 1,
    List = 2,
    Report = 3
};

namespace LauncherLook {

/// The style the radio buttons "вид_1" to "вид_4" (1 to 4) choose: report, list, small icons, large icons.
LauncherViewStyle styleOfRadio(int radio);

/// The style of a stored view style number; nothing for a number outside 0 to 3, which names no style
/// (the list then keeps the style it has).
std::optional<LauncherViewStyle> storedStyle(int value);

/// What the font dialog changes in the list's font: size, weight and style, and pitch, but not the typeface,
/// so the list keeps its family whatever was chosen. The colour comes with the dialog's answer separately.
QFont takeChosenFont(const QFont& current, const QFont& chosen);

} // namespace LauncherLook
