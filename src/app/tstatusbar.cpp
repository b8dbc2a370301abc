#include "app/tstatusbar.h"

#include <QLabel>
#include <QMouseEvent>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        // The last panel gives way when the window is narrow, as the bar's right end is clipped.
        if (i == PanelCount - 1)
            panel->setMaximumWidth(PanelWidths[i]);
        else
            panel->setFixedWidth(PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAccessibleName(QStringLiteral("Панель %1").arg(i));
        // Clicks belong to the bar, which decides by position.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        addWidget(panel);
        m_panels[i] = panel;
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
