#include "platform/linux/toneplayer.h"

#include "platform/tone.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace platform::detail {

namespace {

constexpr int kSampleRate = 44100;

QAudioFormat toneFormat(int channels)
{
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// Every channel gets the same samples.
QByteArray interleaved(const std::vector<std::int16_t>& samples, int channels)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(samples.size() * std::size_t(channels) * sizeof(std::int16_t)));
    for (std::int16_t sample : samples) {
        for (int c = 0; c < channels; ++c)
            bytes.append(reinterpret_cast<const char*>(&sample), sizeof sample);
    }
    return bytes;
}

} // namespace

TonePlayer::TonePlayer() = default;

TonePlayer::~TonePlayer()
{
    stop();
}

void TonePlayer::dropFinished()
{
    for (auto& tone : m_tones) {
        const bool due = tone->started.elapsed() >= tone->durationMs;
        if (!due || tone->sink->state() != QAudio::ActiveState)
            tone->sink->stop();
    }
    std::erase_if(m_tones, [](const auto& tone) { return tone->sink->state() == QAudio::StoppedState; });
}

bool TonePlayer::play(int frequency, int durationMs)
{
    dropFinished();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    for (int channels : {1, 2}) {
        if (device.isFormatSupported(toneFormat(channels))) {
            format = toneFormat(channels);
            break;
        }
    }
    if (!format.isValid())
        return false;
    auto tone = std::make_unique<Tone>();
    tone->pcm = interleaved(sineTone(frequency, durationMs, kSampleRate), format.channelCount());
    if (tone->pcm.isEmpty())
        return true;
    tone->buffer.setData(tone->pcm);
    if (!tone->buffer.open(QIODevice::ReadOnly))
        return false;
    tone->durationMs = durationMs;
    tone->sink = std::make_unique<QAudioSink>(device, format);
    tone->started.start();
    tone->sink->start(&tone->buffer);
    const bool started = tone->sink->error() == QAudio::NoError;
    m_tones.push_back(std::move(tone));
    return started;
}

void TonePlayer::stop()
{
    for (auto& tone : m_tones)
        tone->sink->stop();
    m_tones.clear();
}

QAudio::State TonePlayer::state() const
{
    return m_tones.empty() ? QAudio::StoppedState : m_tones.back()->sink->state();
}

qint64 TonePlayer::processedUSecs() const
{
    return m_tones.empty() ? 0 : m_tones.back()->sink->processedUSecs();
}

} // namespace platform::detail
