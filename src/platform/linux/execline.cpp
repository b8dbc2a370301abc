#include "platform/linux/execline.h"

namespace platform::detail {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool escapableInQuotes(char c)
{
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

// The characters a desktop entry asks to have quoted.
bool needsQuotes(const std::string& argument)
{
    if (argument.empty())
        return true;
    for (char c : argument)
        if (isBlank(c) || std::string_view("\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos)
            return true;
    return false;
}

} // namespace

std::optional<std::vector<std::string>> splitExecLine(std::string_view line)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size() && escapableInQuotes(line[i + 1])) {
                current += line[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (isBlank(c)) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == '"')
                quoted = true;
            else
                current += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

std::string joinExecLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        if (!needsQuotes(argument)) {
            line += argument;
            continue;
        }
        line += '"';
        for (char c : argument) {
            if (escapableInQuotes(c))
                line += '\\';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::string unescapeDesktopString(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[i + 1]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            text += '\\';
            text += value[i + 1];
            break;
        }
        ++i;
    }
    return text;
}

std::optional<std::string> execWithoutFieldCodes(std::string_view exec)
{
    const std::optional<std::vector<std::string>> arguments = splitExecLine(exec);
    if (!arguments)
        return std::nullopt;
    std::vector<std::string> kept;
    for (const std::string& argument : *arguments) {
        std::string text;
        bool hadFieldCode = false;
        for (std::size_t i = 0; i < argument.size(); ++i) {
            if (argument[i] != '%' || i + 1 == argument.size()) {
                text += argument[i];
                continue;
            }
            const char code = argument[++i];
            if (code == '%')
                text += '%';
            else
                hadFieldCode = true;
        }
        if (!(hadFieldCode && text.empty()))
            kept.push_back(std::move(text));
    }
    return joinExecLine(kept);
}

} // namespace platform::detail
