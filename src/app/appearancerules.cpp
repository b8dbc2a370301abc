#include "app/appearancerules.h"

#include <Qt>

std::optional<int> statusPanelAt(int x)
{
    struct Range
    {
        int above;
        int below;
    };
    static constexpr Range ranges[] = {{0, 55}, {60, 110}, {115, 170}, {172, 322}, {325, 410}, {413, 500}};
    for (int panel = 0; panel < int(std::size(ranges)); ++panel) {
        if (ranges[panel].above < x && x < ranges[panel].below)
            return panel;
    }
    return std::nullopt;
}

ScaleKey classifyScaleKey(int key, const QString& text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return ScaleKey::Apply;
    // Backspace types a character (8) of its own, and that character is refused like any other.
    if (key == Qt::Key_Backspace)
        return ScaleKey::Rejected;
    // Delete types nothing on every platform, though some report it as character 127; Tab moves the focus.
    if (text.isEmpty() || key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return ScaleKey::NoCharacter;
    if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))
        return ScaleKey::Digit;
    return ScaleKey::Rejected;
}

bool isConsoleKey(int key)
{
    constexpr int CyrillicIo = 0x0401; // "Ё", the key's letter on the Russian layout
    return key == Qt::Key_QuoteLeft || key == Qt::Key_AsciiTilde || key == CyrillicIo;
}
