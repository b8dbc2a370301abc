#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

/// Private-profile (INI) files addressed by bare name. Sections and keys compare without regard to case,
/// file order is kept and a rewrite replaces a value in place.
class IniFiles
{
public:
    static std::shared_ptr<IniFiles> create(const Context& context);
    virtual ~IniFiles() = default;

    /// Section names of the file in file order; empty when the file is missing.
    virtual std::vector<std::string> sections(const std::string& file) = 0;
    /// Key names of a section in file order.
    virtual std::vector<std::string> keys(const std::string& file, const std::string& section) = 0;
    /// The value of a key, or `fallback` when the file, section or key is missing.
    virtual std::string read(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    /// Writes a value, creating file, section and key as needed; false when the file could not be written.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    /// Deletes a key of a section; false when the file could not be written.
    virtual bool eraseKey(const std::string& file, const std::string& section, const std::string& key) = 0;
    /// Deletes a whole section; false when the file could not be written.
    virtual bool eraseSection(const std::string& file, const std::string& section) = 0;
    /// Deletes the file; false when it could not be deleted (a file that was not there counts as deleted).
    virtual bool removeFile(const std::string& file) = 0;
    /// Full path of the file, for handing it to another program.
    virtual std::string pathOf(const std::string& file) = 0;

protected:
    IniFiles() = default;
    IniFiles(const IniFiles&) = delete;
    IniFiles& operator=(const IniFiles&) = delete;
};

} // namespace platform
