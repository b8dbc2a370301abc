#include "platform/keyboardlayout.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include "platform/linux/xkbgroups.h"

namespace platform {
namespace {

std::string atomName(Display* display, Atom atom)
{
    if (atom == None)
        return {};
    char* name = XGetAtomName(display, atom);
    if (!name)
        return {};
    std::string text(name);
    XFree(name);
    return text;
}

// Switches between the us and ru groups of the X keyboard. Without an X display (Wayland without
// XWayland, a console, the tests' offscreen platform) or without both layouts configured it does nothing.
class X11KeyboardLayout final : public KeyboardLayout
{
public:
    void activate(const std::string& layoutId) override
    {
        const std::string layout = layoutId == "00000419" ? "ru" : layoutId == "00000409" ? "us" : "";
        if (layout.empty())
            return;
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return;
        int group = -1;
        bool bothPresent = false;
        if (XkbDescPtr keyboard = XkbAllocKeyboard()) {
            if (XkbGetNames(display, XkbSymbolsNameMask | XkbGroupNamesMask, keyboard) == Success && keyboard->names) {
                const std::string symbols = atomName(display, keyboard->names->symbols);
                std::vector<std::string> groupNames;
                for (Atom atom : keyboard->names->groups)
                    groupNames.push_back(atomName(display, atom));
                auto find = [&](const std::string& which) {
                    const int bySymbols = detail::xkbGroupOfLayout(symbols, which);
                    return bySymbols >= 0 ? bySymbols : detail::xkbGroupOfLayoutByNames(groupNames, which);
                };
                group = find(layout);
                bothPresent = find("us") >= 0 && find("ru") >= 0;
                XkbFreeNames(keyboard, XkbSymbolsNameMask | XkbGroupNamesMask, True);
            }
            XkbFreeKeyboard(keyboard, 0, True);
        }
        if (bothPresent && group >= 0) {
            XkbLockGroup(display, XkbUseCoreKbd, unsigned(group));
            XFlush(display);
        }
        XCloseDisplay(display);
    }
};

} // namespace

std::shared_ptr<KeyboardLayout> KeyboardLayout::create(const Context&)
{
    return std::make_shared<X11KeyboardLayout>();
}

} // namespace platform
