#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Messia;
}

class TMessia final : public QWidget
{
    Q_OBJECT
public:
    explicit TMessia(QWidget* parent = nullptr);
    ~TMessia() override;

    Ui::Messia& form() { return *ui; }

private:
    std::unique_ptr<Ui::Messia> ui;
};
