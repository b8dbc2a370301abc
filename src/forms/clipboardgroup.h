#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class ClipboardGroup;
}

// The group "Буфер" of the main page: what the clipboard holds, as text or as a picture.
class ClipboardGroup final : public PageWidget<Ui::ClipboardGroup>
{
public:
    explicit ClipboardGroup(QWidget* parent = nullptr);
    ~ClipboardGroup() override;
};
