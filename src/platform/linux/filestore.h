#pragma once

#include <string>

namespace platform::detail {

/// An exclusive lock on `<path>.lock`, held for the object's lifetime. It excludes other processes and other
/// instances in this process alike (flock locks belong to the open file, not to the process), and the kernel
/// drops it when a holder dies, so a crashed copy never leaves the store locked.
class FileLock final
{
public:
    /// Waits up to a few seconds for the lock; `locked()` tells whether it was obtained.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

struct FileContents
{
    enum class Status
    {
        Read,
        Missing,
        Failed
    };
    Status status = Status::Missing;
    std::string bytes;
};

/// The whole file; `Failed` when it exists but cannot be read, which callers must not treat as empty.
FileContents readWholeFile(const std::string& path);

/// Replaces the file with `bytes` by writing a new file and renaming it over the old one, so readers see
/// either the old or the new contents, never a mix. Creates the folder when needed.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

/// Renames the file to `<path>.broken-YYYYMMDD-hhmmss` (with a counter if that name is taken) and returns
/// the new path, or an empty string when it could not be moved.
std::string moveAside(const std::string& path);

/// Creates the folder and its parents.
bool makeFolder(const std::string& path);

} // namespace platform::detail
