#include "app/commandline.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

const std::string& firstSet(const std::string& a, const std::string& b, const std::string& c)
{
    if (!a.empty())
        return a;
    if (!b.empty())
        return b;
    return c;
}

// "ru_RU.UTF-8@euro" -> "ru"; "C.UTF-8" -> "C".
std::string_view languageOf(std::string_view locale)
{
    return locale.substr(0, locale.find_first_of("_.@"));
}

std::string_view charsetOf(std::string_view locale)
{
    const auto dot = locale.find('.');
    if (dot == std::string_view::npos)
        return {};
    const auto charset = locale.substr(dot + 1);
    return charset.substr(0, charset.find('@'));
}

bool isUtf8(std::string_view charset)
{
    std::string folded;
    for (const char c : charset) {
        if (c != '-')
            folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded == "utf8";
}

} // namespace

CommandLineRequest commandLineRequest(int argc, const char* const* argv)
{
    if (argc < 2 || !argv[1])
        return CommandLineRequest::Run;
    const std::string_view first = argv[1];
    if (first == "--version")
        return CommandLineRequest::Version;
    if (first == "--help" || first == "-h")
        return CommandLineRequest::Help;
    return CommandLineRequest::Run;
}

LocaleEnvironment localeEnvironment()
{
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LC_CTYPE"), variable("LANG")};
}

bool russianMessages(const LocaleEnvironment& environment)
{
    if (!isUtf8(charsetOf(firstSet(environment.lcAll, environment.lcCtype, environment.lang))))
        return false;
    const std::string& messages = firstSet(environment.lcAll, environment.lcMessages, environment.lang);
    const std::string_view messagesLanguage = languageOf(messages);
    if (messagesLanguage.empty() || messagesLanguage == "C" || messagesLanguage == "POSIX")
        return false;
    // LANGUAGE lists preferences; the first one the program has texts for wins, and English is the untranslated text.
    std::string_view preferences = environment.language;
    while (!preferences.empty()) {
        const auto colon = preferences.find(':');
        const std::string_view language = languageOf(preferences.substr(0, colon));
        if (language == "ru")
            return true;
        if (language == "en")
            return false;
        if (colon == std::string_view::npos)
            break;
        preferences.remove_prefix(colon + 1);
    }
    return messagesLanguage == "ru";
}

std::string helpText(bool russian)
{
    if (russian) {
        return "Тромбус — настольная утилита: консоль, запуск программ, настройки системы, блокнот, плеер,\n"
               "таймер, будильник и многое другое в одном окне.\n"
               "\n"
               "Использование: trombus [quartzite | --version | --help]\n"
               "\n"
               "  quartzite   переключать служебный режим при каждой активации главного окна\n"
               "  --version   показать версию программы и выйти\n"
               "  --help, -h  показать эту справку и выйти\n"
               "\n"
               "Настройки хранятся в $XDG_CONFIG_HOME/trombus/ (обычно ~/.config/trombus/).\n";
    }
    return "Trombus is a desktop utility: a console, program launchers, system tweaks, a notepad,\n"
           "a player, a timer, an alarm clock and much more in one window.\n"
           "\n"
           "Usage: trombus [quartzite | --version | --help]\n"
           "\n"
           "  quartzite   switch the service mode at every activation of the main window\n"
           "  --version   print the program's version and exit\n"
           "  --help, -h  print this help and exit\n"
           "\n"
           "Settings are kept in $XDG_CONFIG_HOME/trombus/ (usually ~/.config/trombus/).\n";
}
