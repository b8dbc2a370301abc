#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace platform {

/// The output volume of the first wave output device as one 32-bit word: the left channel's level in the low
/// 16 bits, the right channel's in the high 16 bits, each from 0 (silent) to 0xFFFF (full). The window reads it
/// from a thread of its own while its controls write from the GUI thread, so a service takes one request at a
/// time.
class Volume
{
public:
    static std::shared_ptr<Volume> create(const Context& context);
    virtual ~Volume() = default;

    /// The device's volume word; nullopt when there is no output device or sound server to ask.
    virtual std::optional<std::uint32_t> read() = 0;
    /// Sets both channels from the word; false when there is no device or sound server to take it.
    virtual bool write(std::uint32_t word) = 0;

protected:
    Volume() = default;
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;
};

} // namespace platform
