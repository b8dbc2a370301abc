#include "forms/infopage.h"

#include "ui_InfoPage.h"

// Made when first needed, or by the main window right after its first paint.
InfoPage::InfoPage(QWidget* parent) : PageWidget(parent, Build::WhenNeeded) {}

InfoPage::~InfoPage() = default;
