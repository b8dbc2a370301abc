#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class HelpPage;
}

class HelpPage final : public PageWidget<Ui::HelpPage>
{
public:
    explicit HelpPage(QWidget* parent = nullptr);
    ~HelpPage() override;
};
