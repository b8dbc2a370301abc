#pragma once

#include <QString>
#include <optional>

/// The status bar panel whose text a mouse-down at x (pixels from the bar's left edge) shows; nothing in
/// the gaps between panels and from x = 500 on.
std::optional<int> statusPanelAt(int x);

enum class ScaleKey
{
    Digit,       // accepted into the edit
    Apply,       // Enter: apply the scale
    Rejected,    // any other character, Backspace included: discarded, the error indicator shows
    NoCharacter, // editing keys that type nothing (Delete, arrows): left to the edit
};

/// How the scale entry treats a key press, from its key code and the text it types.
ScaleKey classifyScaleKey(int key, const QString& text);

/// The key left of "1" (virtual key 192): grave or tilde on Latin layouts, "Ё" on the Russian one.
bool isConsoleKey(int key);
