#include "platform/linux/filestore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace platform::detail {

namespace {

QString toQString(const std::string& path)
{
    return QString::fromStdString(path);
}

} // namespace

FileLock::FileLock(const std::string& path)
{
    const std::string lockPath = path + ".lock";
    makeFolder(QFileInfo(toQString(lockPath)).absolutePath().toStdString());
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    // A bounded wait: a copy that hangs while holding the lock must not hang this one too.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_fd = fd;
}

FileLock::~FileLock()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

FileContents readWholeFile(const std::string& path)
{
    // open(2) alone tells whether the file is there. Asking first races with another copy replacing the file,
    // and QFile::exists() even reports a file as missing while a rename puts a new one in its place: a reader
    // would take the settings for empty.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileContents::Status::Missing : FileContents::Status::Failed, {}};
    FileContents contents{FileContents::Status::Read, {}};
    std::string chunk(std::size_t(1) << 16, '\0');
    for (;;) {
        const ssize_t count = ::read(fd, chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            ::close(fd);
            return {FileContents::Status::Failed, {}};
        }
        if (count == 0)
            break;
        contents.bytes.append(chunk.data(), std::size_t(count));
    }
    ::close(fd);
    return contents;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes)
{
    const QString qpath = toQString(path);
    if (!makeFolder(QFileInfo(qpath).absolutePath().toStdString()))
        return false;
    QSaveFile file(qpath);
    // Unbuffered, so that a write the disk refuses fails here: a buffered one is only flushed by commit(),
    // which does not notice the failure and puts the cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::string moveAside(const std::string& path)
{
    const QString base = toQString(path) + ".broken-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    for (int n = 1; n < 1000; ++n) {
        const QString target = n == 1 ? base : base + "-" + QString::number(n);
        if (QFileInfo::exists(target))
            continue;
        // rename(2) would replace an existing target; link + unlink never does.
        if (::link(path.c_str(), target.toStdString().c_str()) == 0) {
            ::unlink(path.c_str());
            return target.toStdString();
        }
        if (errno == EEXIST)
            continue;
        if (QFile::rename(toQString(path), target))
            return target.toStdString();
        return {};
    }
    return {};
}

bool makeFolder(const std::string& path)
{
    return QDir().mkpath(toQString(path));
}

} // namespace platform::detail
