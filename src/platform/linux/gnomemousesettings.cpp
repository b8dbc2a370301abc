#include <gio/gio.h>

#include "platform/linux/pointersettings.h"

namespace platform::detail {
namespace {

constexpr const char* Schema = "org.gnome.desktop.peripherals.mouse";

// GNOME (and the desktops built on its settings daemon) apply these keys to every mouse themselves, on X11 and on
// Wayland alike. The change is kept in the user's settings: GNOME has no way to set them for the session only.
class GnomeMouseSettings final : public PointerSettings
{
public:
    explicit GnomeMouseSettings(GSettingsSchema* schema) : m_schema(schema) {}
    ~GnomeMouseSettings() override { g_settings_schema_unref(m_schema); }
    GnomeMouseSettings(const GnomeMouseSettings&) = delete;
    GnomeMouseSettings& operator=(const GnomeMouseSettings&) = delete;

    bool setSpeed(int speed) override { return write("speed", g_variant_new_double(libinputSpeed(speed))); }
    bool setLeftHanded(bool leftHanded) override
    {
        return write("left-handed", g_variant_new_boolean(leftHanded ? TRUE : FALSE));
    }

private:
    bool write(const char* key, GVariant* value)
    {
        g_variant_ref_sink(value);
        bool written = false;
        if (g_settings_schema_has_key(m_schema, key)) {
            GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(m_schema, key);
            if (g_settings_schema_key_range_check(schemaKey, value)) {
                GSettings* settings = g_settings_new_full(m_schema, nullptr, nullptr);
                written = g_settings_set_value(settings, key, value);
                // Written before the call returns, so that a program ending right after keeps the change.
                g_settings_sync();
                g_object_unref(settings);
            }
            g_settings_schema_key_unref(schemaKey);
        }
        g_variant_unref(value);
        return written;
    }

    GSettingsSchema* m_schema;
};

} // namespace
} // namespace platform::detail

extern "C" __attribute__((visibility("default"))) platform::detail::PointerSettings* trombusMakeGnomeMouseSettings()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, platform::detail::Schema, TRUE) : nullptr;
    if (!schema)
        return nullptr;
    return new platform::detail::GnomeMouseSettings(schema);
}
