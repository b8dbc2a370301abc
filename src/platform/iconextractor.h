#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

/// A picture as rows of 32-bit pixels 0xAARRGGBB (not premultiplied), top row first.
struct IconPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

/// Takes icons out of the files that hold them, as ExtractIcon does.
class IconExtractor
{
public:
    static std::shared_ptr<IconExtractor> create(const Context& context);
    virtual ~IconExtractor() = default;

    /// The icon at `index` of the file (0 the first; a negative index is a Windows resource id) at the system's
    /// large icon size; nothing when the file holds no such icon.
    virtual std::optional<IconPicture> extract(const std::string& fileName, int index) = 0;

protected:
    IconExtractor() = default;
    IconExtractor(const IconExtractor&) = delete;
    IconExtractor& operator=(const IconExtractor&) = delete;
};

} // namespace platform
