#include "console/launcherlook.h"

namespace LauncherLook {

LauncherViewStyle styleOfRadio(int radio)
{
    switch (radio) {
    case 2:
        return LauncherViewStyle::List;
    case 3:
        return LauncherViewStyle::SmallIcons;
    case 4:
        return LauncherViewStyle::LargeIcons;
    default:
        return LauncherViewStyle::Report;
    }
}

std::optional<LauncherViewStyle> storedStyle(int value)
{
    if (value < int(LauncherViewStyle::LargeIcons) || value > int(LauncherViewStyle::Report))
        return std::nullopt;
    return static_cast<LauncherViewStyle>(value);
}

QFont takeChosenFont(const QFont& current, const QFont& chosen)
{
    QFont font = current;
    if (chosen.pixelSize() > 0)
        font.setPixelSize(chosen.pixelSize());
    else
        font.setPointSizeF(chosen.pointSizeF());
    font.setWeight(chosen.weight());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    font.setFixedPitch(chosen.fixedPitch());
    return font;
}

} // namespace LauncherLook
