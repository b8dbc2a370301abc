#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include "platform/linux/pointersettings.h"

namespace platform::detail {
namespace {

constexpr const char* AccelSpeed = "libinput Accel Speed";
constexpr const char* LeftHanded = "libinput Left Handed Enabled";

// xf86-input-libinput, the X server's default input driver on Debian 12, ignores the core pointer's acceleration
// and takes its settings from these properties of each device.
class LibinputSettings final : public PointerSettings
{
public:
    explicit LibinputSettings(std::shared_ptr<InputDeviceProperties> devices) : m_devices(std::move(devices)) {}

    bool setSpeed(int speed) override
    {
        const std::vector<int> pointers = m_devices->pointersWith(AccelSpeed);
        for (const int device : pointers)
            m_devices->setFloat(device, AccelSpeed, float(libinputSpeed(speed)));
        return !pointers.empty();
    }

    bool setLeftHanded(bool leftHanded) override
    {
        const std::vector<int> pointers = m_devices->pointersWith(LeftHanded);
        for (const int device : pointers)
            m_devices->setFlag(device, LeftHanded, leftHanded);
        return !pointers.empty();
    }

private:
    std::shared_ptr<InputDeviceProperties> m_devices;
};

// One connection per request, as the settings change seldom. XWayland's devices are the compositor's stand-ins
// without driver properties, so there nothing is found.
class XInputDeviceProperties final : public InputDeviceProperties
{
public:
    std::vector<int> pointersWith(const std::string& property) override
    {
        std::vector<int> found;
        withDisplay([&](Display* display) {
            const Atom atom = XInternAtom(display, property.c_str(), True);
            if (atom == None)
                return;
            int count = 0;
            XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
            for (int i = 0; i < count; ++i) {
                if (devices[i].use != XISlavePointer || !devices[i].enabled)
                    continue;
                int properties = 0;
                Atom* list = XIListProperties(display, devices[i].deviceid, &properties);
                for (int p = 0; p < properties; ++p)
                    if (list[p] == atom) {
                        found.push_back(devices[i].deviceid);
                        break;
                    }
                if (list)
                    XFree(list);
            }
            if (devices)
                XIFreeDeviceInfo(devices);
        });
        return found;
    }

    void setFloat(int device, const std::string& property, float value) override
    {
        withDisplay([&](Display* display) {
            const Atom floatType = XInternAtom(display, "FLOAT", False);
            if (hasShape(display, device, property, floatType, 32))
                XIChangeProperty(display, device, XInternAtom(display, property.c_str(), False), floatType, 32,
                                 XIPropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
        });
    }

    void setFlag(int device, const std::string& property, bool value) override
    {
        withDisplay([&](Display* display) {
            unsigned char flag = value ? 1 : 0;
            if (hasShape(display, device, property, XA_INTEGER, 8))
                XIChangeProperty(display, device, XInternAtom(display, property.c_str(), False), XA_INTEGER, 8,
                                 XIPropModeReplace, &flag, 1);
        });
    }

private:
    // A property is written only in the type and size the driver gave it; anything else it would refuse.
    static bool hasShape(Display* display, int device, const std::string& property, Atom type, int format)
    {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        const Atom atom = XInternAtom(display, property.c_str(), True);
        if (atom == None || XIGetProperty(display, device, atom, 0, 1, False, AnyPropertyType, &actualType,
                                          &actualFormat, &items, &after, &data) != Success)
            return false;
        if (data)
            XFree(data);
        return actualType == type && actualFormat == format && items >= 1;
    }

    template <class Action> static void withDisplay(Action action)
    {
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return;
        int opcode = 0, event = 0, error = 0, major = 2, minor = 0;
        if (XQueryExtension(display, "XInputExtension", &opcode, &event, &error) &&
            XIQueryVersion(display, &major, &minor) == Success)
            action(display);
        XSync(display, False);
        XCloseDisplay(display);
    }
};

} // namespace

std::unique_ptr<PointerSettings> libinputSettings(std::shared_ptr<InputDeviceProperties> devices)
{
    return std::make_unique<LibinputSettings>(std::move(devices));
}

std::shared_ptr<InputDeviceProperties> xinputDeviceProperties()
{
    return std::make_shared<XInputDeviceProperties>();
}

} // namespace platform::detail
