#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::detail {

/// The keys of the Windows classes root that the program reads, answered from the desktop's file types. `path`
/// is the key's path below the classes root (or below "Software\Classes" of the local machine), one part each:
/// - ".ext": present when the desktop knows the extension; its default value is the file type's class name,
///   which here is the MIME type ("text/plain");
/// - "<class>": the MIME type (or "BCBUnit", a C++ source unit), its description as default value;
/// - "<class>\DefaultIcon": where the type's icon is, "<file>,0", from the current icon theme (the type's own
///   icon, else its generic one); absent when the theme has neither;
/// - "<class>\shell\open\command": the command of the type's default application, its field codes removed;
///   absent when no application takes the type.
/// Parts compare without regard to case, as registry keys do.
bool classesKeyExists(const std::vector<std::string>& path);

/// The default (unnamed) value of such a key; nothing when the key or its value is absent.
std::optional<std::string> classesDefaultValue(const std::vector<std::string>& path);

} // namespace platform::detail
