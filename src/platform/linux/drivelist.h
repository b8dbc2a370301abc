#pragma once

#include <string>
#include <vector>

#include "platform/diskspace.h"

namespace platform::detail {

/// One mounted file system as the mount table reports it.
struct Mount
{
    std::string root;
    std::string device;
    std::string fileSystem;
    std::string label;
    bool isDirectory = true;
};

/// The mounts that hold user data, one per device, each as a drive: the system's virtual file systems,
/// boot and package mounts and files bind-mounted on their own are left out; the root always counts.
std::vector<Drive> userDrives(std::vector<Mount> mounts);

/// The drive of `drives` whose root is the longest leading folder of `path`; empty when none is.
std::string driveHolding(const std::vector<Drive>& drives, const std::string& path);

} // namespace platform::detail
