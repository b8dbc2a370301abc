#include "forms/keymousegroup.h"

#include "ui_KeyMouseGroup.h"

KeyMouseGroup::KeyMouseGroup(QWidget* parent) : PageWidget(parent) {}

KeyMouseGroup::~KeyMouseGroup() = default;
