#include "forms/launchergroup.h"

#include "ui_LauncherGroup.h"

LauncherGroup::LauncherGroup(QWidget* parent) : PageWidget(parent)
{
    // The silver caption of the settings panel reads on a dark ground; its radio buttons' captions follow.
    QPalette dark = form().Panel6->palette();
    dark.setColor(QPalette::Window, QColor(0x2f, 0x4f, 0x4f));
    dark.setColor(QPalette::WindowText, Qt::white);
    form().Panel6->setPalette(dark);
}

LauncherGroup::~LauncherGroup() = default;
