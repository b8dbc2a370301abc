#pragma once

#include <optional>
#include <string>

namespace platform::detail {

/// The Exec value (string escapes resolved, field codes kept) of the application the desktop opens a MIME type
/// with: the user's and the system's mimeapps.list defaults for the type, then for the types it is a kind of
/// (a C++ source is a C source is plain text), then the applications that say they take one of them. Nothing
/// when no installed application will.
std::optional<std::string> defaultApplicationExec(const std::string& mimeType);

} // namespace platform::detail
