#include "platform/keyboardleds.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {
namespace {

KeySym keySymOf(int virtualKey)
{
    switch (virtualKey) {
    case 144:
        return XK_Num_Lock;
    case 20:
        return XK_Caps_Lock;
    case 145:
        return XK_Scroll_Lock;
    default:
        return NoSymbol;
    }
}

// Lock keys are faked through XTest on an X11 display. A Wayland session, or no display at all, offers no way
// to fake them, so there nothing happens.
class XTestKeyboardLeds final : public KeyboardLeds
{
public:
    ~XTestKeyboardLeds() override
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void keyDown(int virtualKey) override { send(virtualKey, true); }
    void keyUp(int virtualKey) override { send(virtualKey, false); }

private:
    Display* display()
    {
        if (m_tried)
            return m_display;
        m_tried = true;
        // The toolkit's own platform tells whether the session is X11 (XWayland would accept the events
        // without reaching the keyboard).
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        m_display = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (m_display && !XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
            XCloseDisplay(m_display);
            m_display = nullptr;
        }
        return m_display;
    }

    void send(int virtualKey, bool press)
    {
        Display* x = display();
        const KeySym sym = keySymOf(virtualKey);
        if (!x || sym == NoSymbol)
            return;
        const KeyCode code = XKeysymToKeycode(x, sym);
        if (code == 0)
            return;
        XTestFakeKeyEvent(x, code, press ? True : False, CurrentTime);
        XFlush(x);
    }

    Display* m_display = nullptr;
    bool m_tried = false;
};

} // namespace

std::shared_ptr<KeyboardLeds> KeyboardLeds::create(const Context&)
{
    return std::make_shared<XTestKeyboardLeds>();
}

} // namespace platform
