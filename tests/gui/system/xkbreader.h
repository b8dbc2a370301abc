#pragma once

// The keyboard of the test's X server, read and set through XKB (kept apart from Qt's headers, which X11's macros
// would break).

/// The keyboard's locks, its layout group and its lock lights.
struct KeyboardState
{
    unsigned lockedMods = 0;
    int group = 0;
    bool num = false, caps = false, scroll = false;

    bool operator==(const KeyboardState&) const = default;
};

class XkbReader final
{
public:
    XkbReader();
    ~XkbReader();
    XkbReader(const XkbReader&) = delete;
    XkbReader& operator=(const XkbReader&) = delete;

    bool ok() const { return m_display != nullptr; }
    KeyboardState read();
    void lockGroup(int group);
    void lockNumLock(bool on);

private:
    bool lit(const char* name);

    void* m_display;
};
