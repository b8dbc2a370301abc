#include "forms/clipboardgroup.h"

#include "ui_ClipboardGroup.h"

ClipboardGroup::ClipboardGroup(QWidget* parent) : PageWidget(parent) {}

ClipboardGroup::~ClipboardGroup() = default;
