// Any text may stand in a desktop entry's Exec key or in the classes root's command. Whatever splits must join back
// to a line that splits to the same arguments, and removing field codes must leave a line that splits, or the
// source editor would be started with other arguments than its entry names.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/execline.h"

using platform::detail::execWithoutFieldCodes;
using platform::detail::joinExecLine;
using platform::detail::splitExecLine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto words = splitExecLine(line);
    if (!words)
        return 0;
    if (splitExecLine(joinExecLine(*words)) != words)
        std::abort();
    const auto command = execWithoutFieldCodes(line);
    if (!command || !splitExecLine(*command))
        std::abort();
    return 0;
}
