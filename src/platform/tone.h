#pragma once

#include <cstdint>
#include <vector>

namespace platform {

/// The frequencies a tone may have, as the Windows beeper takes them.
inline constexpr int MinToneFrequency = 37;
inline constexpr int MaxToneFrequency = 32767;

/// A sine tone as 16-bit signed mono samples: `durationMs` long at `sampleRate`, at a moderate loudness, with a
/// few milliseconds of fade at both ends so it starts and stops without a click. A frequency outside the
/// beeper's range, or at or above half the sample rate, gives silence of the same length; a duration of zero
/// or less gives no samples.
std::vector<std::int16_t> sineTone(int frequency, int durationMs, int sampleRate);

/// A WAVE file's bytes (RIFF header and PCM data) holding 16-bit mono samples at `sampleRate`.
std::vector<unsigned char> waveFile(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace platform
