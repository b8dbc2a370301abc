#include "platform/linux/modulelibrary.h"
#include "platform/linux/pointersettings.h"

namespace platform::detail {

std::unique_ptr<PointerSettings> gnomeMouseSettings()
{
    const auto make = reinterpret_cast<MakeGnomeMouseSettingsFunction>(
        programModuleEntry(QStringLiteral(TROMBUS_GNOME_MOUSE_MODULE), TROMBUS_GNOME_MOUSE_ENTRY));
    return std::unique_ptr<PointerSettings>(make ? make() : nullptr);
}

} // namespace platform::detail
