#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class TweakGroup;
}

// The system tweaks under the run box of the main page: the task manager, recycle bin and CD autorun switches, the CD
// door, the source editor, the keyboard layout and the file type's icon.
class TweakGroup final : public PageWidget<Ui::TweakGroup>
{
public:
    explicit TweakGroup(QWidget* parent = nullptr);
    ~TweakGroup() override;
};
