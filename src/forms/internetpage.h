#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class InternetPage;
}

class InternetPage final : public PageWidget<Ui::InternetPage>
{
public:
    explicit InternetPage(QWidget* parent = nullptr);
    ~InternetPage() override;
};
