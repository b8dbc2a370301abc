#include "platform/keyboardleds.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <map>

namespace platform {
namespace {

const char* indicatorOf(int virtualKey)
{
    switch (virtualKey) {
    case 144:
        return "Num Lock";
    case 20:
        return "Caps Lock";
    case 145:
        return "Scroll Lock";
    default:
        return nullptr;
    }
}

// The X keyboard's named indicators. A lock's light normally follows its locked modifier and refuses to be set on
// its own; for the show it gets a map that follows nothing, so it can be lit without touching the lock (on many
// Russian desktops Caps Lock also switches the layout), and its own map is put back at the end, when the server
// lights it by the lock again. Wayland gives programs no hold on the keyboard lights, and without a display there
// are none, so there nothing happens.
class XkbIndicatorLeds final : public KeyboardLeds
{
public:
    ~XkbIndicatorLeds() override
    {
        endShow();
        if (m_display)
            XCloseDisplay(m_display);
    }

    void toggleLight(int virtualKey) override
    {
        Display* x = display();
        const char* name = indicatorOf(virtualKey);
        if (!x || !name)
            return;
        const Atom atom = XInternAtom(x, name, False);
        int index = 0;
        Bool lit = False;
        XkbIndicatorMapRec map{};
        if (!XkbGetNamedIndicator(x, atom, &index, &lit, &map, nullptr))
            return;
        // The first change of a light keeps its map and state for the end of the show.
        m_taken.try_emplace(atom, Taken{map, lit != False});
        XkbIndicatorMapRec followsNothing{};
        XkbSetNamedIndicator(x, atom, True, lit ? False : True, False, &followsNothing);
        XSync(x, False);
    }

    void endShow() override
    {
        if (!m_display || m_taken.empty())
            return;
        for (auto& [atom, taken] : m_taken) {
            // The server lights an indicator when its lock or its explicit state says so: a light its lock drives
            // gives up the explicit state, so that it follows the lock alone again; one that nothing drives (Scroll
            // Lock often) gets back the state it had.
            const bool driven = taken.map.which_mods || taken.map.which_groups || taken.map.ctrls;
            const Bool explicitState = !driven && taken.lit ? True : False;
            XkbIndicatorMapRec followsNothing{};
            XkbSetNamedIndicator(m_display, atom, True, explicitState, False, &followsNothing);
            XkbSetNamedIndicator(m_display, atom, False, False, False, &taken.map);
        }
        m_taken.clear();
        XSync(m_display, False);
    }

private:
    struct Taken
    {
        XkbIndicatorMapRec map;
        bool lit;
    };

    Display* display()
    {
        if (m_tried)
            return m_display;
        m_tried = true;
        // The toolkit's own platform tells whether the session is X11 (XWayland's keyboard has no real lights).
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        m_display = XOpenDisplay(nullptr);
        int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        if (m_display && !XkbQueryExtension(m_display, &opcode, &event, &error, &major, &minor)) {
            XCloseDisplay(m_display);
            m_display = nullptr;
        }
        return m_display;
    }

    Display* m_display = nullptr;
    bool m_tried = false;
    std::map<Atom, Taken> m_taken;
};

} // namespace

std::shared_ptr<KeyboardLeds> KeyboardLeds::create(const Context&)
{
    return std::make_shared<XkbIndicatorLeds>();
}

} // namespace platform
