#include "forms/notepadgroup.h"

#include "ui_NotepadGroup.h"

NotepadGroup::NotepadGroup(QWidget* parent) : PageWidget(parent) {}

NotepadGroup::~NotepadGroup() = default;
