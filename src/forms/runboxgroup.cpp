#include "forms/runboxgroup.h"

#include "ui_RunBoxGroup.h"

RunBoxGroup::RunBoxGroup(QWidget* parent) : PageWidget(parent) {}

RunBoxGroup::~RunBoxGroup() = default;
