#include "xkbreader.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
Display* dpy(void* display)
{
    return static_cast<Display*>(display);
}
} // namespace

XkbReader::XkbReader() : m_display(XOpenDisplay(nullptr)) {}

XkbReader::~XkbReader()
{
    if (m_display)
        XCloseDisplay(dpy(m_display));
}

KeyboardState XkbReader::read()
{
    XSync(dpy(m_display), False);
    XkbStateRec state{};
    XkbGetState(dpy(m_display), XkbUseCoreKbd, &state);
    return {state.locked_mods, state.locked_group, lit("Num Lock"), lit("Caps Lock"), lit("Scroll Lock")};
}

void XkbReader::lockGroup(int group)
{
    XkbLockGroup(dpy(m_display), XkbUseCoreKbd, unsigned(group));
    XSync(dpy(m_display), False);
}

void XkbReader::lockNumLock(bool on)
{
    const unsigned mask = XkbKeysymToModifiers(dpy(m_display), XK_Num_Lock);
    XkbLockModifiers(dpy(m_display), XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(dpy(m_display), False);
}

bool XkbReader::lit(const char* name)
{
    int index = 0;
    Bool on = False;
    XkbGetNamedIndicator(dpy(m_display), XInternAtom(dpy(m_display), name, False), &index, &on, nullptr, nullptr);
    return on;
}
