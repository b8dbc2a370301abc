#include "platform/pointer.h"

#include <X11/Xlib.h>

#include <numeric>

#include "platform/linux/pointersettings.h"

namespace platform {
namespace detail {
namespace {

// The X server's pointer acceleration and button map, which drivers other than libinput (and Xvfb) follow. On
// XWayland they would change the pointer of X programs alone, against the compositor's own, so there they are
// left alone; without a display nothing happens.
class CorePointerSettings final : public PointerSettings
{
public:
    // The scale's usual 10 is the server's own default acceleration of 2/1; each step is a fifth.
    bool setSpeed(int speed) override
    {
        // In lowest terms, as the server keeps the fraction it is given.
        const int divisor = std::gcd(speed, 5);
        return withDisplay([speed, divisor](Display* display) {
            XChangePointerControl(display, True, False, speed / divisor, 5 / divisor, 0);
        });
    }

    bool setLeftHanded(bool swapped) override
    {
        return withDisplay([swapped](Display* display) {
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
    template <class Action> static bool withDisplay(Action action)
    {
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        int opcode = 0, event = 0, error = 0;
        const bool xwayland = XQueryExtension(display, "XWAYLAND", &opcode, &event, &error);
        if (!xwayland)
            action(display);
        XSync(display, False);
        XCloseDisplay(display);
        return !xwayland;
    }
};

class DesktopPointer final : public Pointer
{
public:
    DesktopPointer(std::unique_ptr<PointerSettings> desktop, std::unique_ptr<PointerSettings> devices,
                   std::unique_ptr<PointerSettings> lastResort)
        : m_desktop(std::move(desktop)), m_devices(std::move(devices)), m_lastResort(std::move(lastResort))
    {}

    void setSpeed(int speed) override
    {
        if (speed < 1 || speed > 20)
            return;
        apply([speed](PointerSettings& settings) { return settings.setSpeed(speed); });
    }

    void swapButtons(bool swapped) override
    {
        apply([swapped](PointerSettings& settings) { return settings.setLeftHanded(swapped); });
    }

private:
    // Both the desktop's settings and the devices' own: a desktop whose settings are installed may not be the one
    // running (GNOME's schema on an Xfce desktop), and where it runs it sets the devices the same way.
    template <class Change> void apply(Change change)
    {
        bool applied = m_desktop && change(*m_desktop);
        if (m_devices && change(*m_devices))
            applied = true;
        if (!applied && m_lastResort)
            change(*m_lastResort);
    }

    std::unique_ptr<PointerSettings> m_desktop;
    std::unique_ptr<PointerSettings> m_devices;
    std::unique_ptr<PointerSettings> m_lastResort;
};

} // namespace

std::unique_ptr<PointerSettings> corePointerSettings()
{
    return std::make_unique<CorePointerSettings>();
}

std::shared_ptr<Pointer> desktopPointer(std::unique_ptr<PointerSettings> desktop,
                                        std::unique_ptr<PointerSettings> devices,
                                        std::unique_ptr<PointerSettings> lastResort)
{
    return std::make_shared<DesktopPointer>(std::move(desktop), std::move(devices), std::move(lastResort));
}

} // namespace detail

std::shared_ptr<Pointer> Pointer::create(const Context&)
{
    return detail::desktopPointer(detail::gnomeMouseSettings(),
                                  detail::libinputSettings(detail::xinputDeviceProperties()),
                                  detail::corePointerSettings());
}

} // namespace platform
