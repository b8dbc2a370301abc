#include "reminders/tmessia.h"

#include "common/guardedconnect.h"
#include "ui_Messia.h"

TMessia::TMessia(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::Messia>())
{
    ui->setupUi(this);
    setFixedSize(326, 37);
    // Closing the prompt while the main window sits in the tray must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    connectGuarded(ui->BB, &QPushButton::clicked, this, &TMessia::BBClick);
    // Enter in either edit performs "Да".
    connectGuarded(ui->T, &QLineEdit::returnPressed, this, &TMessia::BBClick);
    connectGuarded(ui->B, &QLineEdit::returnPressed, this, &TMessia::BBClick);
}

TMessia::~TMessia() = default;

void TMessia::BBClick()
{
    hide();
    ui->B->hide();
    ui->T->hide();
}

void TMessia::openForTimer()
{
    openWith(ui->T);
}

void TMessia::openForAlarm()
{
    openWith(ui->B);
}

void TMessia::openWith(QLineEdit* edit)
{
    BBClick();
    edit->show();
    // A window manager may still offer to minimise the prompt; opening it again must bring it back to view.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    edit->setFocus();
}

QString TMessia::timerText() const
{
    return ui->T->text();
}

QString TMessia::alarmText() const
{
    return ui->B->text();
}
