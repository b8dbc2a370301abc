#pragma once

#include "platform/inifiles.h"
#include "platform/registry.h"

#include <memory>
#include <string>
#include <string_view>

// What differs between the two builds of the program: the services it runs and how it prepares their stores.
// One source per system (side_linux.cpp, side_windows.cpp); the cases and the transcript are shared.
namespace differential {

enum class Implementation
{
    /// The platform layer's services, as the program uses them.
    Service,
    /// The system's own calls made directly, without the service around them (Windows only).
    Direct
};

enum class NonString
{
    /// A 32-bit number, 42.
    Number,
    /// A string with environment variables left to expand, "%TEMP%\x".
    ExpandableString
};

std::shared_ptr<platform::IniFiles> makeIniFiles(Implementation implementation, const std::string& configDir);
std::shared_ptr<platform::Registry> makeRegistry(Implementation implementation, const std::string& configDir);

/// The text as this side writes a new INI file that holds it: UTF-8 on Linux, UTF-16 on Windows.
std::string inOwnEncoding(std::string_view utf8);

/// A fresh key under the current user's hive for one registry case, as a path below the hive.
std::string registryRoot(const std::string& caseName);
/// Puts a value of another type than string into the store before the case's service is made; false when it
/// could not.
bool putNonString(const std::string& configDir, const std::string& keyPath, const std::string& name, NonString kind);
/// Removes every key `registryRoot` gave out (nothing to do where each case has a store of its own).
void removeRegistryRoots();

} // namespace differential
