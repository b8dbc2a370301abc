#pragma once

#include <QString>

// What the console's commands make of their argument text.
namespace ConsoleArguments {

/// "hide" without an argument hides for this long.
constexpr int DefaultHideInterval = 5000;

/// The milliseconds "hide" keeps the window away: the default for an empty argument, else the integer the
/// argument holds. Throws ConvertError "'<argument>' is not a valid integer value" when it holds none, and
/// also for zero or less: a timer of such an interval never fires, so the window and the tray icon would
/// never come back.
int hideInterval(const QString& argument);

/// What "cd" does with its argument.
enum class CdDoor
{
    Open,     // "1"
    Close,    // "0"
    AskWhich, // empty: the message "1 or 0"
    Ignore    // anything else
};
CdDoor cdDoor(const QString& argument);

/// "close" closes quietly, and the service command switches the service mode, only for exactly "1".
bool isExactlyOne(const QString& argument);

} // namespace ConsoleArguments
