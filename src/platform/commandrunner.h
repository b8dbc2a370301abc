#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

/// Starts a program from one command line, the program and its arguments in one text, as WinExec does;
/// never through a command shell.
class CommandRunner
{
public:
    static std::shared_ptr<CommandRunner> create(const Context& context);
    virtual ~CommandRunner() = default;

    /// Starts the command in a normal window; false when the text names no program that could be started.
    virtual bool run(const std::string& commandLine) = 0;

protected:
    CommandRunner() = default;
    CommandRunner(const CommandRunner&) = delete;
    CommandRunner& operator=(const CommandRunner&) = delete;
};

} // namespace platform
