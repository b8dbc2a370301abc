#include "reminders/tmessia.h"

#include "ui_Messia.h"

TMessia::TMessia(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Messia>())
{
    ui->setupUi(this);
}

TMessia::~TMessia() = default;
