#include "media/tform2.h"

#include "ui_Form2.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
}

TForm2::~TForm2() = default;
