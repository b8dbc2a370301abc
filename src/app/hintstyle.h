#pragma once

#include <QObject>
#include <QProxyStyle>

// Tooltip timing of the whole program: shown 100 ms after the pointer rests, kept for 999999 ms, and
// shown at once when moving on to another control.
class HintStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// Application-wide tooltip hook: every tooltip on lime and kept up for the long hide pause. Widgets that
// place their tooltip themselves (the playlist) answer QEvent::ToolTip on their own and are left alone.
class HintHook final : public QObject
{
    Q_OBJECT
public:
    static constexpr int HidePauseMs = 999999;
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
