#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class RunBoxGroup;
}

// The run box at the top of the main page: the drop-down of commands, "ДА" and the colour switch.
class RunBoxGroup final : public PageWidget<Ui::RunBoxGroup>
{
public:
    explicit RunBoxGroup(QWidget* parent = nullptr);
    ~RunBoxGroup() override;
};
