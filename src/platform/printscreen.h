#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The Print Screen key (virtual key 44): the system puts a picture of the whole screen on the clipboard.
class PrintScreen
{
public:
    static std::shared_ptr<PrintScreen> create(const Context& context);
    virtual ~PrintScreen() = default;

    /// A synthesised press and release of the key.
    virtual void press() = 0;

protected:
    PrintScreen() = default;
    PrintScreen(const PrintScreen&) = delete;
    PrintScreen& operator=(const PrintScreen&) = delete;
};

} // namespace platform
