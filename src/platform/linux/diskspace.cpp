#include "platform/diskspace.h"

#include <QFileInfo>
#include <QStorageInfo>

#include "platform/linux/drivelist.h"

namespace platform {
namespace {

class StorageDiskSpace final : public DiskSpace
{
public:
    std::vector<Drive> drives() override
    {
        std::vector<detail::Mount> mounts;
        for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
            if (!volume.isValid())
                continue;
            detail::Mount mount;
            mount.root = volume.rootPath().toStdString();
            mount.device = volume.device().toStdString();
            mount.fileSystem = volume.fileSystemType().toStdString();
            mount.label = volume.name().toStdString();
            mount.isDirectory = QFileInfo(volume.rootPath()).isDir();
            mounts.push_back(std::move(mount));
        }
        return detail::userDrives(std::move(mounts));
    }

    std::string driveOf(const std::string& path) override
    {
        return detail::driveHolding(drives(),
                                    QFileInfo(QString::fromStdString(path)).canonicalFilePath().toStdString());
    }

    DriveSize size(const std::string& id) override
    {
        QStorageInfo volume(QString::fromStdString(id));
        volume.refresh();
        // A mount point that is gone answers for the file system beneath it; that is not the drive asked for.
        if (!volume.isValid() || !volume.isReady() || volume.rootPath() != QString::fromStdString(id))
            return {};
        return {volume.bytesTotal(), volume.bytesAvailable()};
    }
};

} // namespace

std::shared_ptr<DiskSpace> DiskSpace::create(const Context&)
{
    return std::make_shared<StorageDiskSpace>();
}

} // namespace platform
