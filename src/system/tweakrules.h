#pragma once

#include <QString>

// The rules of the system tweaks that need no widget.

/// The registry key of a file extension as typed: "txt" and ".txt" both name ".txt".
QString extensionKey(const QString& typed);

/// An icon location "file,index" split at its last comma.
struct IconLocation
{
    QString fileName;
    /// The text that is to be the icon's index; without a comma it is the whole location.
    QString indexText;
};
IconLocation splitIconLocation(const QString& location);

/// The location of a file type whose files are their own icons.
bool isOwnIcon(const QString& location);

/// What the keyboard layout button does next, decided by its caption: "RU" chooses US English and shows "EN",
/// any other caption chooses Russian and shows "RU".
struct LayoutChoice
{
    QString layoutId;
    QString caption;
};
LayoutChoice nextKeyboardLayout(const QString& caption);

/// The layout whose stored choice every activation sets again.
inline const char* const kUsEnglishLayout = "00000409";
