#pragma once

#include <map>

#include "platform/diskspace.h"

// Drives of made-up sizes; a drive missing from `sizes` answers as one without a medium.
class FakeDiskSpace final : public platform::DiskSpace
{
public:
    std::vector<platform::Drive> drives() override { return list; }
    std::string driveOf(const std::string&) override { return current; }
    platform::DriveSize size(const std::string& id) override
    {
        ++queries;
        const auto it = sizes.find(id);
        return it == sizes.end() ? platform::DriveSize{} : it->second;
    }

    std::vector<platform::Drive> list;
    std::string current;
    std::map<std::string, platform::DriveSize> sizes;
    int queries = 0;
};
