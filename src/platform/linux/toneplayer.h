#pragma once

#include <QAudio>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <memory>
#include <vector>

class QAudioSink;

namespace platform::detail {

/// Plays generated tones on the sound server's default output.
class TonePlayer final
{
public:
    TonePlayer();
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    /// Starts a sine tone and returns at once. A tone before it that has not had its time yet is ended, as the
    /// beeper sounds one tone at a time; one whose time is over keeps the little the server still holds of it,
    /// so back-to-back notes keep their ends. False when there is no output device (no sound server) or it
    /// takes none of the sample formats tried.
    bool play(int frequency, int durationMs);
    /// Ends every tone now.
    void stop();

    /// The latest tone's output: active while it sounds, idle once all of it went out, stopped otherwise.
    QAudio::State state() const;
    /// How much of the latest tone has gone to the device, in microseconds.
    qint64 processedUSecs() const;
    /// The tones whose output is still open.
    int tonesOpen() const { return int(m_tones.size()); }

private:
    struct Tone
    {
        QByteArray pcm;
        QBuffer buffer;
        std::unique_ptr<QAudioSink> sink;
        QElapsedTimer started;
        int durationMs = 0;
    };
    void dropFinished();

    std::vector<std::unique_ptr<Tone>> m_tones;
};

} // namespace platform::detail
