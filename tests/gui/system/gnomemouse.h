#pragma once

// GNOME's mouse settings as the test reads them back (kept apart from Qt's headers, whose `signals` keyword GIO's
// headers would meet).
namespace gnomemouse {

/// Whether the schema org.gnome.desktop.peripherals.mouse is installed.
bool installed();
double speed();
bool leftHanded();
/// Puts both keys back to their defaults.
void reset();

} // namespace gnomemouse
