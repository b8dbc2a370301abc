#include "system/noteplayer.h"

#include "platform/sound.h"
#include "system/notes.h"

NotePlayer::NotePlayer(platform::Sound& sound, QObject* parent) : QObject(parent), m_sound(sound)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NotePlayer::noteTimerTimer);
}

void NotePlayer::PlayNote(int durationMs, float frequency)
{
    m_queue.push_back({durationMs, frequency});
    if (!m_timer.isActive())
        startNext();
}

void NotePlayer::startNext()
{
    const Note& note = m_queue.front();
    m_sound.beep(notes::beeperFrequency(note.frequency), note.durationMs);
    m_timer.start(std::max(note.durationMs, 0));
}

void NotePlayer::noteTimerTimer()
{
    m_timer.stop();
    if (m_queue.empty())
        return;
    const float frequency = m_queue.front().frequency;
    m_queue.pop_front();
    // The next note starts before anyone hears of this one's end, so a listener that queues more notes
    // finds the player still busy and lines them up behind it.
    if (!m_queue.empty())
        startNext();
    emit noteEnded(frequency);
    if (m_queue.empty())
        emit idle();
}
