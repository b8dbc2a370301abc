#pragma once

#include "forms/pagewidget.h"

namespace Ui {
class MusicPage;
}

class MusicPage final : public PageWidget<Ui::MusicPage>
{
public:
    explicit MusicPage(QWidget* parent = nullptr);
    ~MusicPage() override;
};
