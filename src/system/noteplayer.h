#pragma once

#include <QObject>
#include <QTimer>
#include <deque>

namespace platform {
class Sound;
}

// Plays notes one after another through the sound service without holding up the window: each note's tone
// starts at once and a timer waits out its duration before the next one. Notes asked for while one sounds
// queue behind it, in the order they came, as the blocking beeper kept them.
class NotePlayer final : public QObject
{
    Q_OBJECT
public:
    explicit NotePlayer(platform::Sound& sound, QObject* parent = nullptr);

    /// Queues a note of `durationMs` at the stored `frequency`; the beeper gets the frequency truncated.
    void PlayNote(int durationMs, float frequency);
    /// True while a note sounds or waits.
    bool busy() const { return m_timer.isActive(); }
    /// Ends the note sounding now; tests drive it to stand for the time passing.
    QTimer& noteTimer() { return m_timer; }

signals:
    /// A note has ended (the pitch bar follows it).
    void noteEnded(float frequency);
    /// The last queued note has ended.
    void idle();

private:
    struct Note
    {
        int durationMs;
        float frequency;
    };
    void startNext();
    void noteTimerTimer();

    platform::Sound& m_sound;
    QTimer m_timer;
    std::deque<Note> m_queue;
};
