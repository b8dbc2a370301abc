#include "forms/companiongroup.h"

#include "ui_CompanionGroup.h"

CompanionGroup::CompanionGroup(QWidget* parent) : PageWidget(parent) {}

CompanionGroup::~CompanionGroup() = default;
