#include "gnomemouse.h"

#include <gio/gio.h>

namespace gnomemouse {
namespace {

constexpr const char* Schema = "org.gnome.desktop.peripherals.mouse";

template <class Read> auto withSettings(Read read)
{
    GSettings* settings = g_settings_new(Schema);
    auto value = read(settings);
    g_object_unref(settings);
    return value;
}

} // namespace

bool installed()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, Schema, TRUE) : nullptr;
    if (schema)
        g_settings_schema_unref(schema);
    return schema != nullptr;
}

double speed()
{
    return withSettings([](GSettings* settings) { return g_settings_get_double(settings, "speed"); });
}

bool leftHanded()
{
    return withSettings([](GSettings* settings) { return g_settings_get_boolean(settings, "left-handed") != FALSE; });
}

void reset()
{
    withSettings([](GSettings* settings) {
        g_settings_reset(settings, "speed");
        g_settings_reset(settings, "left-handed");
        return 0;
    });
}

} // namespace gnomemouse
