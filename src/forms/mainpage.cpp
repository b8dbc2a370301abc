#include "forms/mainpage.h"

#include "ui_MainPage.h"

MainPage::MainPage(QWidget* parent) : PageWidget(parent) {}

MainPage::~MainPage() = default;
