#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A file the test's own user cannot remove: its folder is made read-only, or, for the superuser whom no mode
// stops, the file is marked immutable. Undone when the guard ends, so the temporary folder can be cleaned up.
// `active()` is false where the file system offers neither (tests then skip that case).
class UnremovableFile final
{
public:
    explicit UnremovableFile(std::string path) : m_path(std::move(path))
    {
        if (::geteuid() != 0) {
            m_folder = m_path.substr(0, m_path.rfind('/'));
            struct stat info = {};
            if (::stat(m_folder.c_str(), &info) == 0 && ::chmod(m_folder.c_str(), 0555) == 0) {
                m_folderMode = info.st_mode & 07777;
                m_active = true;
            }
            return;
        }
        m_active = setImmutable(true);
    }
    ~UnremovableFile()
    {
        if (!m_active)
            return;
        if (::geteuid() != 0)
            ::chmod(m_folder.c_str(), m_folderMode);
        else
            setImmutable(false);
    }
    UnremovableFile(const UnremovableFile&) = delete;
    UnremovableFile& operator=(const UnremovableFile&) = delete;

    bool active() const { return m_active; }

private:
    bool setImmutable(bool on)
    {
        const int file = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (file < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(file, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(file, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(file);
        return done;
    }

    std::string m_path;
    std::string m_folder;
    mode_t m_folderMode = 0755;
    bool m_active = false;
};
