#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// Starts what the user names, as the shell's "open" verb does: the text is one name (a path, a folder, a URL
/// or a program found on the search path), never split into arguments and never handed to a command shell.
class Opener
{
public:
    static std::shared_ptr<Opener> create(const Context& context);
    virtual ~Opener() = default;

    /// Opens `target` with its default handler or starts it as a program; false when nothing could take it.
    virtual bool open(const std::string& target) = 0;

protected:
    Opener() = default;
    Opener(const Opener&) = delete;
    Opener& operator=(const Opener&) = delete;
};

} // namespace platform
