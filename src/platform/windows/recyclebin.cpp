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
        // The shell reports a bin that is empty already as a failure; there is nothing to empty, so it succeeded.
        SHQUERYRBINFO content = {};
        content.cbSize = sizeof content;
        if (SUCCEEDED(SHQueryRecycleBinA(nullptr, &content)) && content.i64NumItems == 0)
            return true;
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
