#include "platform/linux/drivelist.h"

#include <algorithm>
#include <set>

namespace platform::detail {

namespace {

const std::set<std::string> VirtualFileSystems = {
    "proc",    "sysfs",       "devtmpfs",        "devpts",        "tmpfs",      "ramfs",   "cgroup",     "cgroup2",
    "pstore",  "bpf",         "debugfs",         "tracefs",       "configfs",   "fusectl", "mqueue",     "hugetlbfs",
    "autofs",  "binfmt_misc", "squashfs",        "efivarfs",      "securityfs", "nsfs",    "rpc_pipefs", "selinuxfs",
    "overlay", "fuse.portal", "fuse.gvfsd-fuse", "fuse.snapfuse", "nfsd",       "none"};

const std::set<std::string> NetworkFileSystems = {"nfs", "nfs4",       "cifs",        "smb3",
                                                  "9p",  "fuse.sshfs", "fuse.rclone", "davfs"};

bool under(const std::string& path, const std::string& folder)
{
    return path == folder || path.starts_with(folder + "/");
}

bool systemPlace(const std::string& root)
{
    if (under(root, "/run/media"))
        return false;
    for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib/docker", "/var/snap"})
        if (under(root, folder))
            return true;
    return false;
}

DriveKind kindOf(const Mount& mount)
{
    if (mount.fileSystem == "iso9660" || mount.fileSystem == "udf")
        return DriveKind::Optical;
    if (NetworkFileSystems.count(mount.fileSystem))
        return DriveKind::Network;
    if (under(mount.root, "/media") || under(mount.root, "/run/media"))
        return DriveKind::Removable;
    return DriveKind::Fixed;
}

} // namespace

std::vector<Drive> userDrives(std::vector<Mount> mounts)
{
    // Shorter roots first, so a device mounted in several places is shown at its main place.
    std::stable_sort(mounts.begin(), mounts.end(),
                     [](const Mount& a, const Mount& b) { return a.root.size() < b.root.size(); });
    std::vector<Drive> drives;
    std::set<std::string> devices;
    for (const Mount& mount : mounts) {
        const bool isRoot = mount.root == "/";
        if (!isRoot) {
            if (!mount.isDirectory || systemPlace(mount.root) || VirtualFileSystems.count(mount.fileSystem))
                continue;
            if (!mount.device.empty() && devices.count(mount.device))
                continue;
        }
        if (isRoot && std::any_of(drives.begin(), drives.end(), [](const Drive& d) { return d.id == "/"; }))
            continue;
        devices.insert(mount.device);
        Drive drive;
        drive.id = mount.root;
        drive.name =
            mount.label.empty() || mount.label == mount.root ? mount.root : mount.label + " (" + mount.root + ")";
        drive.kind = kindOf(mount);
        drives.push_back(std::move(drive));
    }
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) { return a.id < b.id; });
    return drives;
}

std::string driveHolding(const std::vector<Drive>& drives, const std::string& path)
{
    std::string best;
    for (const Drive& drive : drives) {
        const bool holds = drive.id == "/" || under(path, drive.id);
        if (holds && drive.id.size() > best.size())
            best = drive.id;
    }
    return best;
}

} // namespace platform::detail
