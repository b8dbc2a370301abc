#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder in which nothing can be created, renamed or removed, as a read-only ~/.config is to a user: its mode
// is made read-only, or, for the superuser whom no mode stops, the folder is marked immutable. Undone when the
// guard ends, so the temporary folder can be cleaned up. `active()` is false where the file system offers neither
// (tests then skip that case).
class ReadOnlyFolder final
{
public:
    explicit ReadOnlyFolder(std::string path) : m_path(std::move(path))
    {
        if (::geteuid() != 0) {
            struct stat info = {};
            if (::stat(m_path.c_str(), &info) == 0 && ::chmod(m_path.c_str(), 0555) == 0) {
                m_mode = info.st_mode & 07777;
                m_active = true;
            }
            return;
        }
        m_active = setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (!m_active)
            return;
        if (::geteuid() != 0)
            ::chmod(m_path.c_str(), m_mode);
        else
            setImmutable(false);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool active() const { return m_active; }

private:
    bool setImmutable(bool on)
    {
        const int folder = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(folder, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(folder);
        return done;
    }

    std::string m_path;
    mode_t m_mode = 0755;
    bool m_active = false;
};
