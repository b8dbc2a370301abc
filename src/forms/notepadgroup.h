#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class NotepadGroup;
}

// The group "Мини блокнот" of the help page: the rich text and the buttons that open, save, clear, print and
// restyle it.
class NotepadGroup final : public PageWidget<Ui::NotepadGroup>
{
public:
    explicit NotepadGroup(QWidget* parent = nullptr);
    ~NotepadGroup() override;
};
