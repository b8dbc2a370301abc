#include "platform/pointer.h"

#include <X11/Xlib.h>

#include <numeric>

namespace platform {
namespace {

// The X server's pointer acceleration and button map; without an X display (Wayland without XWayland, a
// console, the tests' offscreen platform) nothing happens.
class X11Pointer final : public Pointer
{
public:
    // The scale's usual 10 is the server's own default acceleration of 2/1; each step is a fifth.
    void setSpeed(int speed) override
    {
        if (speed < 1 || speed > 20)
            return;
        // In lowest terms, as the server keeps the fraction it is given.
        const int divisor = std::gcd(speed, 5);
        withDisplay([speed, divisor](Display* display) {
            XChangePointerControl(display, True, False, speed / divisor, 5 / divisor, 0);
        });
    }

    void swapButtons(bool swapped) override
    {
        withDisplay([swapped](Display* display) {
            unsigned char map[256];
            const int buttons = XGetPointerMapping(display, map, sizeof map);
            if (buttons < 1)
                return;
            // The first and third physical buttons trade their roles; the others keep whatever the user gave them.
            map[0] = swapped ? 3 : 1;
            if (buttons >= 3)
                map[2] = swapped ? 1 : 3;
            XSetPointerMapping(display, map, buttons);
        });
    }

private:
    template <class Action> static void withDisplay(Action action)
    {
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return;
        action(display);
        XSync(display, False);
        XCloseDisplay(display);
    }
};

} // namespace

std::shared_ptr<Pointer> Pointer::create(const Context&)
{
    return std::make_shared<X11Pointer>();
}

} // namespace platform
