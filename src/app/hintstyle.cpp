#include "app/hintstyle.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

int HintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return 100;
    if (hint == SH_ToolTip_FallAsleepDelay)
        return 2000;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

bool HintHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty() || widget->property("ownTooltip").toBool())
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, HidePauseMs);
    return true;
}
