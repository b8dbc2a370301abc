#pragma once

#include "platform/volume.h"

// The output volume through the sound server (PulseAudio, or PipeWire's Pulse server) lives in a module of its
// own, loaded at the first read or write: a run that never touches the volume does without libpulse.
#define TROMBUS_VOLUME_MODULE "trombus_pulse"
#define TROMBUS_VOLUME_ENTRY "trombusMakeVolume"

namespace platform::detail {
/// The module's entry point: a new volume service, owned by the caller.
using MakeVolumeFunction = platform::Volume* (*)();
} // namespace platform::detail
