#include "forms/internetpage.h"

#include "ui_InternetPage.h"

InternetPage::InternetPage(QWidget* parent) : PageWidget(parent) {}

InternetPage::~InternetPage() = default;
