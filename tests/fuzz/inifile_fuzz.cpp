// Any bytes may stand in an INI file. Reading it must not fail, a write must be read back as written, and
// the other keys must keep their values.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/inidocument.h"

using platform::detail::IniDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniDocument document = IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto sections = document.sections();
    std::vector<std::pair<std::string, std::string>> before;
    for (const std::string& section : sections)
        for (const std::string& key : document.keys(section))
            before.emplace_back(section + '\n' + key, document.read(section, key).value_or(""));

    document.write("fuzz", "key", "value");
    IniDocument reread = IniDocument::parse(document.format());
    if (reread.read("fuzz", "key") != std::optional<std::string>("value"))
        std::abort();
    for (const auto& [where, value] : before) {
        const auto split = where.find('\n');
        const std::string section = where.substr(0, split);
        const std::string key = where.substr(split + 1);
        if (section == "fuzz" && key == "key")
            continue;
        if (reread.read(section, key) != document.read(section, key))
            std::abort();
    }
    return 0;
}
