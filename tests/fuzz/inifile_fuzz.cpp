// Any bytes may stand in an INI file. Reading it must not fail, a write must be read back as written, and
// the other keys must keep their values.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/inidocument.h"

using platform::detail::IniDocument;

namespace {

struct Place
{
    std::string section;
    std::string key;
};

std::vector<Place> allKeys(const IniDocument& document)
{
    std::vector<Place> places;
    for (const std::string& section : document.sections())
        for (const std::string& key : document.keys(section))
            places.push_back({section, key});
    return places;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniDocument document = IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));

    // A new section, a new key in a section the file has, and a key the file has.
    std::vector<Place> written{{"fuzz", "key"}};
    const std::vector<std::string> sections = document.sections();
    if (!sections.empty()) {
        written.push_back({sections.front(), "key"});
        const std::vector<std::string> keys = document.keys(sections.back());
        if (!keys.empty())
            written.push_back({sections.back(), keys.back()});
    }
    for (const Place& place : written)
        document.write(place.section, place.key, "value");

    IniDocument reread = IniDocument::parse(document.format());
    for (const Place& place : written) {
        if (reread.read(place.section, place.key) != std::optional<std::string>("value"))
            std::abort();
    }
    for (const Place& place : allKeys(document)) {
        if (reread.read(place.section, place.key) != document.read(place.section, place.key))
            std::abort();
    }
    if (allKeys(reread).size() != allKeys(document).size())
        std::abort();
    return 0;
}
