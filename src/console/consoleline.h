#pragma once

#include <QString>
#include <optional>

// The actions of the console's first ten slots, by slot index.
enum class ConsoleCommand : int
{
    ZQ5 = 0,
    FormName = 1,
    Brundan = 2,
    FormColor = 3,
    Close = 4,
    Hide = 5,
    ConColor = 6,
    Help = 7,
    Service = 8,
    Cd = 9
};

// A console line cut at its first space: the word before it and everything after it, untrimmed.
struct ConsoleWords
{
    QString word;
    QString argument;
};

// The slot a line's word matched and the argument that goes with it.
struct ConsoleCall
{
    int index = 0;
    QString argument;
};

/// Cuts at the first space (code 32 only); without one the whole line is the word and the argument is empty.
ConsoleWords splitConsoleLine(const QString& line);

/// Splits the line and looks its word up in ConsoleCommands from the last slot down, by exact equality.
/// Nothing when no slot matches. An empty word matches the empty last slot, which has no action.
std::optional<ConsoleCall> findConsoleCommand(const QString& line);

/// The action of a slot; nothing for the empty slots 10 to 49.
std::optional<ConsoleCommand> consoleAction(int index);
