#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class KeyMouseGroup;
}

// The group "Клава и Мышь" of the help page: key and mouse button codes, the mouse speed and the button swap.
class KeyMouseGroup final : public PageWidget<Ui::KeyMouseGroup>
{
public:
    explicit KeyMouseGroup(QWidget* parent = nullptr);
    ~KeyMouseGroup() override;
};
