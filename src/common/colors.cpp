#include "common/colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor colorFromTColor(qint32 value)
{
    const quint32 bits = static_cast<quint32>(value);
    if (bits & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (bits & 0xFF) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x0F:
            return palette.color(QPalette::Button);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        case 0x13:
            // Inactive caption text has no counterpart in a desktop palette; the classic light grey stands in.
            return QColor(0xD4, 0xD0, 0xC8);
        case 0x14:
            return palette.color(QPalette::Light);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x18:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

qint32 tcolorFromColor(const QColor& color)
{
    return static_cast<qint32>(static_cast<quint32>(color.red()) | (static_cast<quint32>(color.green()) << 8) |
                               (static_cast<quint32>(color.blue()) << 16));
}
