// Whatever the user types into the console: the line splits at its first space into a word and an argument
// that join back to the line, a match is a slot whose word is exactly the line's word, and the argument rules
// behind the commands (the text-to-integer rule, the "hide" interval) either give a value or raise the
// conversion error, never anything else.
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "common/errors.h"
#include "common/strtoint.h"
#include "console/commandtable.h"
#include "console/consolearguments.h"
#include "console/consoleline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ConsoleWords words = splitConsoleLine(line);
    const QString joined =
        line.contains(QLatin1Char(' ')) ? words.word + QLatin1Char(' ') + words.argument : words.word;
    if (joined != line || words.word.contains(QLatin1Char(' ')))
        std::abort();

    if (const std::optional<ConsoleCall> call = findConsoleCommand(line)) {
        if (call->index < 0 || call->index >= ConsoleCommandSlots || ConsoleCommands()[call->index] != words.word ||
            call->argument != words.argument)
            std::abort();
    }

    const std::optional<qint32> number = tryStrToInt(words.argument);
    try {
        if (StrToInt(words.argument) != number.value())
            std::abort();
    } catch (const ConvertError&) {
        if (number)
            std::abort();
    }
    try {
        const int interval = ConsoleArguments::hideInterval(words.argument);
        if (interval <= 0)
            std::abort();
    } catch (const ConvertError&) {
    }
    ConsoleArguments::cdDoor(words.argument);
    return 0;
}
