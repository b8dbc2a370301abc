#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

enum class Hive
{
    CurrentUser,
    LocalMachine,
    ClassesRoot
};

/// The registry: keys under three hives holding string values. Key paths are relative to the hive,
/// separated by "\"; value names compare without regard to case.
class Registry
{
public:
    static std::shared_ptr<Registry> create(const Context& context);
    virtual ~Registry() = default;

    /// Whether the key exists.
    virtual bool keyExists(Hive hive, const std::string& path) = 0;
    /// Creates the key and its missing parents; false when it cannot be created.
    virtual bool createKey(Hive hive, const std::string& path) = 0;
    /// The value's text, or nothing when the key or value is missing or the value is not a string.
    virtual std::optional<std::string> readString(Hive hive, const std::string& path, const std::string& name) = 0;
    /// Creates or replaces a string value (the key must exist); false when the write failed.
    virtual bool writeString(Hive hive, const std::string& path, const std::string& name, const std::string& data) = 0;
    /// Removes a value; false when there was none or it could not be removed.
    virtual bool deleteValue(Hive hive, const std::string& path, const std::string& name) = 0;
    /// Whether the value exists.
    virtual bool valueExists(Hive hive, const std::string& path, const std::string& name) = 0;
    /// Value names of the key in the order they were first written.
    virtual std::vector<std::string> valueNames(Hive hive, const std::string& path) = 0;
    /// Names of the key's direct subkeys.
    virtual std::vector<std::string> subkeys(Hive hive, const std::string& path) = 0;

protected:
    Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
};

} // namespace platform
