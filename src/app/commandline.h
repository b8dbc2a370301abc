#pragma once

#include <string>

/// What the first command-line argument asks for before any window opens.
enum class CommandLineRequest
{
    Run,
    Version,
    Help
};

CommandLineRequest commandLineRequest(int argc, const char* const* argv);

/// The locale variables that decide the language and character set of messages; an empty value counts as unset.
struct LocaleEnvironment
{
    std::string language; // LANGUAGE, a colon-separated list of preferred languages
    std::string lcAll;
    std::string lcMessages;
    std::string lcCtype;
    std::string lang;
};

/// The locale variables of this process.
LocaleEnvironment localeEnvironment();

/// Whether messages go out in Russian: the message language, chosen as gettext chooses it (LANGUAGE unless the
/// messages locale is C or POSIX, then LC_ALL, LC_MESSAGES, LANG), is Russian before it is English, and the
/// character set of the locale is UTF-8. Everything else gets English, which every terminal shows.
bool russianMessages(const LocaleEnvironment& environment);

/// The text `--help` prints: the arguments the program understands.
std::string helpText(bool russian);
