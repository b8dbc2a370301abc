#include "console/commandtable.h"

const std::array<QString, ConsoleCommandSlots>& ConsoleCommands()
{
    static const std::array<QString, ConsoleCommandSlots> commands = [] {
        std::array<QString, ConsoleCommandSlots> table;
        const char* words[] = {"ZQ5",  "Form_name", "Brundan", "Form_color",      "close",
                               "hide", "Con_color", "help",    "-=Kr@nTOS_314=-", "cd"};
        for (int i = 0; i < 10; ++i)
            table[i] = QString::fromLatin1(words[i]);
        return table;
    }();
    return commands;
}
