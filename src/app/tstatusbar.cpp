#include "app/tstatusbar.h"

#include <QLabel>
#include <QMouseEvent>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setContentsMargins(0, 0, 0, 0);
    // The panels are placed by hand rather than by the bar's layout: fixed widths in a layout would keep the
    // window from ever getting narrower than all of them together, where a narrow window should simply clip
    // the bar's right end.
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAccessibleName(QStringLiteral("Панель %1").arg(i));
        // Clicks belong to the bar, which decides by position.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_panels[i] = panel;
    }
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setMinimumHeight(fontMetrics().height() + 6);
}

void TStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    int left = 0;
    for (int i = 0; i < PanelCount; ++i) {
        m_panels[i]->setGeometry(left, 1, PanelWidths[i], height() - 2);
        left += PanelWidths[i] + PanelGap;
    }
}

QString TStatusBar::panelText(int index) const
{
    return m_panels.at(index)->text();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    m_panels.at(index)->setText(text);
    m_panels.at(index)->setAccessibleDescription(text);
}

void TStatusBar::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(event->position().toPoint().x(), event->button());
    QStatusBar::mousePressEvent(event);
}
