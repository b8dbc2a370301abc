#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::detail {

/// The host name as gethostname reports it.
std::optional<std::string> hostName();

/// The login name of the effective user from the passwd entry.
std::optional<std::string> loginName();

/// The processor's model name from /proc/cpuinfo.
std::optional<std::string> processorName();

/// The processor's identifier in the form Windows gives it ("Intel64 Family 6 Model 158 Stepping 10"), from
/// /proc/cpuinfo and the machine name uname reports.
std::optional<std::string> processorIdentifier();

/// The identifier from the text of /proc/cpuinfo and the machine name: the architecture, then the family,
/// model and stepping where the text gives them (x86), or the architecture, part and revision (ARM); the
/// architecture alone when it gives none of them.
std::optional<std::string> processorIdentifierFrom(std::string_view cpuinfo, std::string_view machine);

/// The model name in the text of /proc/cpuinfo: the first "model name" line, or on machines without one
/// (older ARM kernels) the first "Processor" line, then the "Hardware" line.
std::optional<std::string> processorNameFrom(std::string_view cpuinfo);

/// The name when it fits, with its terminating zero, into a buffer of `bufferBytes` bytes, as the Windows
/// calls that fill a caller's fixed buffer require; nothing otherwise.
std::optional<std::string> fitInBuffer(std::optional<std::string> name, std::size_t bufferBytes);

} // namespace platform::detail
