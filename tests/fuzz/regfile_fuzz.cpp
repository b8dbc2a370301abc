// Any bytes may stand in registry.reg. Whatever parses must write back to text that parses to the same keys
// and values, or a rewrite would lose the user's settings.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/regfile.h"

using platform::detail::formatRegFile;
using platform::detail::parseRegFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto first = parseRegFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.document)
        return 0;
    const std::string written = formatRegFile(*first.document);
    const auto second = parseRegFile(written);
    if (!second.document || formatRegFile(*second.document) != written)
        std::abort();
    return 0;
}
