#include "platform/tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

constexpr double kAmplitude = 0.3 * 32767.0;
constexpr int kFadeMs = 5;

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

// One byte at a time: mingw-w64's GCC 12 takes a range insert here for an overflow (-Wstringop-overflow).
void putTag(std::vector<unsigned char>& out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

} // namespace

std::vector<std::int16_t> sineTone(int frequency, int durationMs, int sampleRate)
{
    if (durationMs <= 0 || sampleRate <= 0)
        return {};
    const std::size_t count = std::size_t(std::int64_t(sampleRate) * durationMs / 1000);
    std::vector<std::int16_t> samples(count, 0);
    if (frequency < MinToneFrequency || frequency > MaxToneFrequency || 2 * frequency >= sampleRate)
        return samples;
    const std::size_t fade = std::min(count / 2, std::size_t(sampleRate) * kFadeMs / 1000);
    const double step = 2.0 * std::numbers::pi * frequency / sampleRate;
    for (std::size_t i = 0; i < count; ++i) {
        double gain = 1.0;
        if (fade > 0 && i < fade)
            gain = double(i) / double(fade);
        else if (fade > 0 && count - 1 - i < fade)
            gain = double(count - 1 - i) / double(fade);
        samples[i] = static_cast<std::int16_t>(std::lround(kAmplitude * gain * std::sin(step * double(i))));
    }
    return samples;
}

std::vector<unsigned char> waveFile(const std::vector<std::int16_t>& samples, int sampleRate)
{
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, 16, 4);                            // size of the format chunk
    putLittleEndian(out, 1, 2);                             // PCM
    putLittleEndian(out, 1, 2);                             // mono
    putLittleEndian(out, std::uint32_t(sampleRate), 4);     // samples per second
    putLittleEndian(out, std::uint32_t(sampleRate) * 2, 4); // bytes per second
    putLittleEndian(out, 2, 2);                             // bytes per sample frame
    putLittleEndian(out, 16, 2);                            // bits per sample
    putTag(out, "data");
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t sample : samples)
        putLittleEndian(out, std::uint16_t(sample), 2);
    return out;
}

} // namespace platform
