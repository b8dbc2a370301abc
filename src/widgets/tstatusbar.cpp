#include "widgets/tstatusbar.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <cmath>
#include <vector>

namespace {

struct Breakpoint
{
    double shown;
    double classic;
};

int classicLeft(int index)
{
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += TStatusBar::ClassicWidths[i] + TStatusBar::ClassicGap;
    return left;
}

int designLeft(int index)
{
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += TStatusBar::PanelWidths[i] + TStatusBar::PanelGap;
    return left;
}

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setContentsMargins(0, 0, 0, 0);
    // The panels are placed by hand rather than by the bar's layout: fixed widths in a layout would keep the
    // window from ever getting narrower than all of them together, where a narrow window should simply clip
    // the bar's right end. They stay unnamed: they are parts of the bar, which alone decides their places,
    // also when the window scales its named controls.
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // Clicks belong to the bar, which decides by position.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_panels[i] = panel;
    }
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setMinimumHeight(fontMetrics().height() + 6);
}

int TStatusBar::shownLeft(int index) const
{
    return static_cast<int>(std::lround(designLeft(index) * m_scale));
}

int TStatusBar::shownRight(int index) const
{
    return static_cast<int>(std::lround((designLeft(index) + PanelWidths[index]) * m_scale));
}

// A framed label would keep half an "x" from its edge, more than the narrow panels can spare.
void TStatusBar::placePanels()
{
    for (int i = 0; i < PanelCount; ++i) {
        m_panels[i]->setGeometry(shownLeft(i), 1, shownRight(i) - shownLeft(i), height() - 2);
        m_panels[i]->setIndent(static_cast<int>(std::lround(PanelIndent * m_scale)));
    }
}

void TStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    placePanels();
}

void TStatusBar::changeEvent(QEvent* event)
{
    QStatusBar::changeEvent(event);
    // A scaled font needs a taller bar, or the panels' texts lose their lower halves.
    if (event->type() == QEvent::FontChange)
        setMinimumHeight(fontMetrics().height() + 6);
}

void TStatusBar::scalePanels(int m, int d)
{
    if (m <= 0 || d <= 0)
        return;
    m_scale = m_scale * m / d;
    placePanels();
}

QRect TStatusBar::panelGeometry(int index) const
{
    return m_panels.at(index)->geometry();
}

int TStatusBar::classicX(int x) const
{
    // Each panel and each gap maps onto its classic counterpart, so a press keeps its panel, and its place
    // within that panel, whatever the real widths are.
    std::vector<Breakpoint> points;
    points.reserve(2 * PanelCount);
    for (int i = 0; i < PanelCount; ++i) {
        points.push_back({double(shownLeft(i)), double(classicLeft(i))});
        points.push_back({double(shownRight(i)), double(classicLeft(i) + ClassicWidths[i])});
    }
    if (x <= points.front().shown)
        return x;
    for (std::size_t k = 1; k < points.size(); ++k) {
        const Breakpoint& from = points[k - 1];
        const Breakpoint& to = points[k];
        if (x < to.shown) {
            const double share = (x - from.shown) / (to.shown - from.shown);
            return static_cast<int>(std::floor(from.classic + share * (to.classic - from.classic)));
        }
    }
    return static_cast<int>(std::floor(points.back().classic + (x - points.back().shown) / m_scale));
}

QString TStatusBar::panelText(int index) const
{
    return m_panels.at(index)->text();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    m_panels.at(index)->setText(text);
}

void TStatusBar::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(classicX(event->position().toPoint().x()), event->button());
    QStatusBar::mousePressEvent(event);
}
