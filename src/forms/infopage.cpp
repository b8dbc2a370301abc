#include "forms/infopage.h"

#include "ui_InfoPage.h"

InfoPage::InfoPage(QWidget* parent) : PageWidget(parent) {}

InfoPage::~InfoPage() = default;
