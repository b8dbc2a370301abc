#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform {

/// The user's recycle bin (the desktop's Trash).
class RecycleBin
{
public:
    static std::shared_ptr<RecycleBin> create(const Context& context);
    virtual ~RecycleBin() = default;

    /// Empties the bin of every drive without asking, without progress and without sound; false when
    /// something in it could not be removed. An empty bin, or none at all, empties successfully.
    virtual bool empty() = 0;

protected:
    RecycleBin() = default;
    RecycleBin(const RecycleBin&) = delete;
    RecycleBin& operator=(const RecycleBin&) = delete;
};

} // namespace platform
