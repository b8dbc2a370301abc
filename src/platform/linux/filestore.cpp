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
    QFile file(toQString(path));
    if (!file.exists())
        return {FileContents::Status::Missing, {}};
    if (!file.open(QIODevice::ReadOnly))
        return {file.exists() ? FileContents::Status::Failed : FileContents::Status::Missing, {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {FileContents::Status::Failed, {}};
    return {FileContents::Status::Read, bytes.toStdString()};
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
