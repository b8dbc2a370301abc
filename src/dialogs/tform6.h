#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form6;
}

// The help picture window "Для справки": one fixed picture stretched over the whole window, which opens in
// the middle of the desktop. Each opening makes one more of them.
class TForm6 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    Ui::Form6& form() { return *ui; }

private:
    std::unique_ptr<Ui::Form6> ui;
};
