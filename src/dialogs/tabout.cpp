#include "dialogs/tabout.h"

#include "ui_About.h"

TAbout::TAbout(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::About>())
{
    ui->setupUi(this);
}

TAbout::~TAbout() = default;
