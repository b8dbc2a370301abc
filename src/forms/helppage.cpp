#include "forms/helppage.h"

#include "ui_HelpPage.h"

// The largest page, and never the one a first run opens: its controls are made when it is first needed, or
// by the main window right after its first paint.
HelpPage::HelpPage(QWidget* parent) : PageWidget(parent, Build::WhenNeeded) {}

HelpPage::~HelpPage() = default;
