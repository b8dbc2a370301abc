#include "platform/recyclebin.h"

#include <QStorageInfo>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/trash.h"

namespace platform {
namespace detail {
namespace {

namespace fs = std::filesystem;

// A folder that is no link, belongs to the user and, where asked, carries the sticky bit.
bool isOwnFolder(const fs::path& path, unsigned uid, bool needSticky = false)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    if (needSticky)
        return (info.st_mode & S_ISVTX) != 0;
    return info.st_uid == uid;
}

// Removes one entry without following links; true when it is gone.
bool removeEntry(const fs::path& path)
{
    std::error_code error;
    fs::remove_all(path, error);
    return !error && !fs::exists(fs::symlink_status(path, error));
}

// A "files" or "info" folder that is a link is never followed: emptying it would delete what it points at.
bool isPlainFolder(const fs::path& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::directory;
}

bool emptyTrashFolder(const fs::path& folder)
{
    const fs::path files = folder / "files";
    const fs::path info = folder / "info";
    std::error_code error;
    const bool haveFiles = fs::exists(fs::symlink_status(files, error));
    const bool haveInfo = fs::exists(fs::symlink_status(info, error));
    if ((haveFiles && !isPlainFolder(files)) || (haveInfo && !isPlainFolder(info)))
        return false;
    bool emptied = true;
    if (haveInfo) {
        std::vector<fs::path> infoFiles;
        for (const fs::directory_entry& entry : fs::directory_iterator(info, error))
            if (entry.path().extension() == ".trashinfo")
                infoFiles.push_back(entry.path());
        if (error)
            return false;
        for (const fs::path& infoFile : infoFiles) {
            // The item goes first; its description only with it, so a stubborn item stays listed in the Trash.
            if (removeEntry(files / infoFile.stem()))
                emptied = removeEntry(infoFile) && emptied;
            else
                emptied = false;
        }
    }
    if (haveFiles) {
        // Items without a description are trash all the same.
        std::vector<fs::path> leftovers;
        for (const fs::directory_entry& entry : fs::directory_iterator(files, error))
            leftovers.push_back(entry.path());
        if (error)
            return false;
        for (const fs::path& leftover : leftovers)
            emptied = removeEntry(leftover) && emptied;
    }
    const fs::path sizes = folder / "directorysizes";
    if (fs::exists(fs::symlink_status(sizes, error)))
        removeEntry(sizes);
    return emptied;
}

class FreedesktopTrash final : public RecycleBin
{
public:
    FreedesktopTrash(std::string dataHome, std::vector<std::string> volumeRoots)
        : m_dataHome(std::move(dataHome)), m_volumeRoots(std::move(volumeRoots))
    {}

    bool empty() override { return emptyTrashFolders(trashFolders(m_dataHome, m_volumeRoots, ::geteuid())); }

private:
    std::string m_dataHome;
    std::vector<std::string> m_volumeRoots;
};

// The user's data home, and the roots of the mounted volumes, looked up at every emptying since both change.
class DesktopTrash final : public RecycleBin
{
public:
    bool empty() override
    {
        std::string dataHome;
        const char* xdg = std::getenv("XDG_DATA_HOME");
        if (xdg && *xdg == '/') {
            dataHome = xdg;
        } else {
            const char* home = std::getenv("HOME");
            if (!home || !*home)
                return true;
            dataHome = std::string(home) + "/.local/share";
        }
        std::vector<std::string> roots;
        for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
            if (volume.isValid() && volume.isReady())
                roots.push_back(volume.rootPath().toStdString());
        return emptyTrashFolders(trashFolders(dataHome, roots, ::geteuid()));
    }
};

} // namespace

std::vector<std::string> trashFolders(const std::string& dataHome, const std::vector<std::string>& volumeRoots,
                                      unsigned uid)
{
    std::vector<std::string> folders;
    std::set<fs::path> seen;
    const auto add = [&](const fs::path& folder) {
        std::error_code error;
        const fs::path real = fs::weakly_canonical(folder, error);
        if (seen.insert(error ? folder : real).second)
            folders.push_back(folder.string());
    };
    std::error_code error;
    const fs::path home = fs::path(dataHome) / "Trash";
    if (fs::is_directory(home, error))
        add(home);
    const std::string id = std::to_string(uid);
    for (const std::string& root : volumeRoots) {
        const fs::path shared = fs::path(root) / ".Trash";
        if (isOwnFolder(shared, uid, true) && isOwnFolder(shared / id, uid))
            add(shared / id);
        const fs::path own = fs::path(root) / (".Trash-" + id);
        if (isOwnFolder(own, uid))
            add(own);
    }
    return folders;
}

bool emptyTrashFolders(const std::vector<std::string>& folders)
{
    bool emptied = true;
    for (const std::string& folder : folders)
        emptied = emptyTrashFolder(folder) && emptied;
    return emptied;
}

std::shared_ptr<RecycleBin> freedesktopTrash(std::string dataHome, std::vector<std::string> volumeRoots)
{
    return std::make_shared<FreedesktopTrash>(std::move(dataHome), std::move(volumeRoots));
}

} // namespace detail

std::shared_ptr<RecycleBin> RecycleBin::create(const Context&)
{
    return std::make_shared<detail::DesktopTrash>();
}

} // namespace platform
