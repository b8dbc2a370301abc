#pragma once

#include <QColor>

// Colours are stored as 0x00BBGGRR; values with the high bit set name a system colour (clWindow is
// 0x80000005, clWindowText 0x80000008, ...), which we take from the palette.
QColor colorFromTColor(qint32 value);
// The stored form of a colour; system colours are not recovered, a colour is written as its RGB value.
qint32 tcolorFromColor(const QColor& color);

constexpr qint32 clWindow = static_cast<qint32>(0x80000005u);
constexpr qint32 clWindowText = static_cast<qint32>(0x80000008u);
constexpr qint32 clBtnHighlight = static_cast<qint32>(0x80000014u);
constexpr qint32 clInactiveCaptionText = static_cast<qint32>(0x80000013u);
