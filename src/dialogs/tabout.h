#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class About;
}

class TAbout final : public QWidget
{
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
    ~TAbout() override;

    Ui::About& form() { return *ui; }

private:
    std::unique_ptr<Ui::About> ui;
};
