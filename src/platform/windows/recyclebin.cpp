#include "platform/recyclebin.h"

#include <windows.h>

#include <shlobj.h>

namespace platform {
namespace {

class WindowsRecycleBin final : public RecycleBin
{
public:
    bool empty() override
    {
        // Every drive's bin, without confirmation, progress window or sound.
        return SUCCEEDED(
            SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
    }
};

} // namespace

std::shared_ptr<RecycleBin> RecycleBin::create(const Context&)
{
    return std::make_shared<WindowsRecycleBin>();
}

} // namespace platform
