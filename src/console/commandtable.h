#pragma once

#include <QString>
#include <array>

// The console's command table: fifty slots filled once at start, the ten command words first.
constexpr int ConsoleCommandSlots = 50;
const std::array<QString, ConsoleCommandSlots>& ConsoleCommands();
