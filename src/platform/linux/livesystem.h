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

/// The model name in the text of /proc/cpuinfo: the first "model name" line, or on machines without one
/// (older ARM kernels) the first "Processor" line, then the "Hardware" line.
std::optional<std::string> processorNameFrom(std::string_view cpuinfo);

/// The name when it fits, with its terminating zero, into a buffer of `bufferBytes` bytes, as the Windows
/// calls that fill a caller's fixed buffer require; nothing otherwise.
std::optional<std::string> fitInBuffer(std::optional<std::string> name, std::size_t bufferBytes);

} // namespace platform::detail
