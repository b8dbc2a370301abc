#include "forms/remindpage.h"

#include "ui_RemindPage.h"

RemindPage::RemindPage(QWidget* parent) : PageWidget(parent) {}

RemindPage::~RemindPage() = default;
