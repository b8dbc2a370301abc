#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

/// Splits a command line by the quoting rules of a desktop entry's Exec key: arguments are separated by blanks;
/// an argument in double quotes keeps its blanks, and there a backslash escapes `"`, `` ` ``, `$` and `\`.
/// Characters a desktop entry would want quoted are taken literally outside quotes; nothing is expanded.
/// Nothing when a quote is left open.
std::optional<std::vector<std::string>> splitExecLine(std::string_view line);

/// The command line that splitExecLine turns back into these arguments, quoting only where needed.
std::string joinExecLine(const std::vector<std::string>& arguments);

/// A desktop entry's string value with its escapes (\s, \n, \t, \r, \\) resolved; other backslashes stay for
/// the quoting rules.
std::string unescapeDesktopString(std::string_view value);

/// An Exec value run without files: the field codes (%f, %U, %i, ...) removed, arguments that were nothing but a
/// field code dropped, "%%" made "%", and the rest quoted again. Nothing when the value does not split.
std::optional<std::string> execWithoutFieldCodes(std::string_view exec);

} // namespace platform::detail
