#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// Opens files, folders and addresses with the desktop's default handler (the shell's "open").
class Opener
{
public:
    static std::shared_ptr<Opener> create(const Context& context);
    virtual ~Opener() = default;

    /// Hands a file path, folder or URL to its default handler; false when nothing could take it.
    virtual bool open(const std::string& target) = 0;

protected:
    Opener() = default;
    Opener(const Opener&) = delete;
    Opener& operator=(const Opener&) = delete;
};

} // namespace platform
