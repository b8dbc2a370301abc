#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/pointer.h"

#define TROMBUS_GNOME_MOUSE_MODULE "trombus_gnomemouse"
#define TROMBUS_GNOME_MOUSE_ENTRY "trombusMakeGnomeMouseSettings"

namespace platform::detail {

/// The pointer speed of the scale 1..20 (10 the usual) on the scale -1..1 of libinput and GNOME, where 0 is the
/// usual speed.
inline double libinputSpeed(int speed)
{
    return double(speed - 10) / 10.0;
}

/// One place where a desktop keeps the pointer's speed and button order.
class PointerSettings
{
public:
    virtual ~PointerSettings() = default;
    /// Sets the speed of the scale 1..20; false where this place does not apply on this desktop.
    virtual bool setSpeed(int speed) = 0;
    /// Swaps the primary and secondary buttons or puts them back; false where this place does not apply.
    virtual bool setLeftHanded(bool leftHanded) = 0;
};

/// The properties of the X server's input devices, which the libinput driver takes its settings from.
class InputDeviceProperties
{
public:
    virtual ~InputDeviceProperties() = default;
    /// The pointer devices that have the property.
    virtual std::vector<int> pointersWith(const std::string& property) = 0;
    /// Sets a property of one 32-bit float.
    virtual void setFloat(int device, const std::string& property, float value) = 0;
    /// Sets a property of one 8-bit flag.
    virtual void setFlag(int device, const std::string& property, bool value) = 0;
};

/// GNOME's mouse settings (org.gnome.desktop.peripherals.mouse, through GSettings); null where that schema is not
/// installed, or the module that reaches them is missing. They live in a module of their own, loaded when the
/// pointer service is first asked for: a run that never changes the mouse does without GIO and what it brings.
std::unique_ptr<PointerSettings> gnomeMouseSettings();
/// The module's entry point: GNOME's mouse settings, owned by the caller, or null without the schema.
using MakeGnomeMouseSettingsFunction = PointerSettings* (*)();
/// The libinput properties of every pointer device that has them.
std::unique_ptr<PointerSettings> libinputSettings(std::shared_ptr<InputDeviceProperties> devices);
/// The X server's device properties (XInput 2); without a server, or on XWayland, no device has any.
std::shared_ptr<InputDeviceProperties> xinputDeviceProperties();
/// The X server's core pointer: its acceleration and button map.
std::unique_ptr<PointerSettings> corePointerSettings();

/// The pointer that sets the desktop's settings and the devices' own, and the last resort only where neither of
/// them applies. Any of the three may be null.
std::shared_ptr<Pointer> desktopPointer(std::unique_ptr<PointerSettings> desktop,
                                        std::unique_ptr<PointerSettings> devices,
                                        std::unique_ptr<PointerSettings> lastResort);

} // namespace platform::detail
