#include "forms/launchergroup.h"

#include <QApplication>

#include "ui_LauncherGroup.h"

LauncherGroup::LauncherGroup(QWidget* parent) : PageWidget(parent)
{
    // The silver caption of the settings panel reads on a dark ground; its radio buttons' captions follow.
    QPalette dark = form().Panel6->palette();
    dark.setColor(QPalette::Window, QColor(0x2f, 0x4f, 0x4f));
    dark.setColor(QPalette::WindowText, Qt::white);
    form().Panel6->setPalette(dark);
    // The label panel is a plain panel whatever colour the window has.
    QPalette plain = form().Panel8->palette();
    plain.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    plain.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    form().Panel8->setPalette(plain);
}

LauncherGroup::~LauncherGroup() = default;
