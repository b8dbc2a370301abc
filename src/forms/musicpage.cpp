#include "forms/musicpage.h"

#include "ui_MusicPage.h"

MusicPage::MusicPage(QWidget* parent) : PageWidget(parent) {}

MusicPage::~MusicPage() = default;
