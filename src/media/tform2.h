#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}

class TForm2 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    Ui::Form2& form() { return *ui; }

private:
    std::unique_ptr<Ui::Form2> ui;
};
