#include "forms/helppage.h"

#include "ui_HelpPage.h"

HelpPage::HelpPage(QWidget* parent) : PageWidget(parent) {}

HelpPage::~HelpPage() = default;
