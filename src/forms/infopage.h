#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class InfoPage;
}

class InfoPage final : public PageWidget<Ui::InfoPage>
{
public:
    explicit InfoPage(QWidget* parent = nullptr);
    ~InfoPage() override;
};
