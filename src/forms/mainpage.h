#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class MainPage;
}

class MainPage final : public PageWidget<Ui::MainPage>
{
public:
    explicit MainPage(QWidget* parent = nullptr);
    ~MainPage() override;
};
