#include "forms/tweakgroup.h"

#include "ui_TweakGroup.h"

TweakGroup::TweakGroup(QWidget* parent) : PageWidget(parent) {}

TweakGroup::~TweakGroup() = default;
