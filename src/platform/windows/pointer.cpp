#include "platform/pointer.h"

#include <windows.h>

namespace platform {
namespace {

class WindowsPointer final : public Pointer
{
public:
    // The new speed is passed by value; the change is announced to the other programs but not kept in the profile.
    void setSpeed(int speed) override
    {
        SystemParametersInfoA(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                              SPIF_SENDCHANGE);
    }
    void swapButtons(bool swapped) override { SwapMouseButton(swapped ? TRUE : FALSE); }
};

} // namespace

std::shared_ptr<Pointer> Pointer::create(const Context&)
{
    return std::make_shared<WindowsPointer>();
}

} // namespace platform
