#include "console/consoleline.h"

#include "console/commandtable.h"

ConsoleWords splitConsoleLine(const QString& line)
{
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {line, QString()};
    return {line.left(space), line.mid(space + 1)};
}

std::optional<ConsoleCall> findConsoleCommand(const QString& line)
{
    ConsoleWords words = splitConsoleLine(line);
    const auto& commands = ConsoleCommands();
    for (int index = ConsoleCommandSlots - 1; index >= 0; --index) {
        if (commands[index] == words.word)
            return ConsoleCall{index, std::move(words.argument)};
    }
    return std::nullopt;
}

std::optional<ConsoleCommand> consoleAction(int index)
{
    if (index < int(ConsoleCommand::ZQ5) || index > int(ConsoleCommand::Cd))
        return std::nullopt;
    return static_cast<ConsoleCommand>(index);
}
