#include "dialogs/tform6.h"

#include "ui_Form6.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form6>())
{
    ui->setupUi(this);
}

TForm6::~TForm6() = default;
