#include "forms/internetpage.h"

#include "ui_InternetPage.h"

// Made when first needed, or by the main window right after its first paint.
InternetPage::InternetPage(QWidget* parent) : PageWidget(parent, Build::WhenNeeded) {}

InternetPage::~InternetPage() = default;
