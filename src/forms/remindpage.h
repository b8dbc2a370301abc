#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class RemindPage;
}

class RemindPage final : public PageWidget<Ui::RemindPage>
{
public:
    explicit RemindPage(QWidget* parent = nullptr);
    ~RemindPage() override;
};
