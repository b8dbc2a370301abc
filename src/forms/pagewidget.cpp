#include "forms/pagewidget.h"

#include <QEvent>

void LatePage::build()
{
    // A step that asks for the form while the controls are being made gets the part made so far.
    if (m_built || m_building)
        return;
    m_building = true;
    // Controls made inside a page that is already on screen are not shown with it: Qt shows a widget's
    // children only when the widget itself is shown. The ones the form did not hide are shown here.
    const bool visible = isVisible();
    try {
        for (const std::function<void()>& step : m_beforeBuild)
            step();
        m_beforeBuild.clear();
        makeControls();
    } catch (...) {
        m_building = false;
        throw;
    }
    if (visible) {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide) && !child->isWindow())
                child->show();
        }
    }
    m_built = true;
    m_building = false;
    // Each runs once; one that a step adds from here on runs at once.
    std::vector<std::function<void()>> steps;
    steps.swap(m_whenBuilt);
    for (const std::function<void()>& step : steps)
        step();
}

void LatePage::beforeBuild(std::function<void()> step)
{
    if (!m_built)
        m_beforeBuild.push_back(std::move(step));
}

void LatePage::whenBuilt(std::function<void()> step)
{
    if (m_built)
        step();
    else
        m_whenBuilt.push_back(std::move(step));
}

bool LatePage::event(QEvent* event)
{
    if (event->type() == QEvent::Show && !m_built)
        build();
    return QWidget::event(event);
}
