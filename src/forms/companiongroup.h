#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class CompanionGroup;
}

// The group "Врубать вместе с прогой" of the main page: the list of programs opened with this one.
class CompanionGroup final : public PageWidget<Ui::CompanionGroup>
{
public:
    explicit CompanionGroup(QWidget* parent = nullptr);
    ~CompanionGroup() override;
};
