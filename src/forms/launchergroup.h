#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class LauncherGroup;
}

// The group "Мои ПРОГИ" of the main page: the launcher list with its buttons, the label-entry panel and the
// settings panel laid over the list while they are open.
class LauncherGroup final : public PageWidget<Ui::LauncherGroup>
{
public:
    explicit LauncherGroup(QWidget* parent = nullptr);
    ~LauncherGroup() override;
};
