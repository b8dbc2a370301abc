#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

#include "system/noteplayer.h"

namespace Ui {
class InfoPage;
}
namespace platform {
class Sound;
}
class Shell;

// The group "Звуковая карта ": the mock sound-card check with its chain of messages and its tune, which
// reveals the seven-key piano; the keys, and the digit keys 1 to 7 while the keyboard piano is ticked, play
// the notes, and the pitch bar follows the last note. The chain waits for its pause and its tune on timers, so
// the window keeps answering while the tune plays.
class SoundCheck final : public QObject
{
    Q_OBJECT
public:
    SoundCheck(Shell& shell, Ui::InfoPage& ui, platform::Sound& sound, QObject* parent = nullptr);
    ~SoundCheck() override;

    /// "Проверить возможномти": runs the whole chain; a press while it runs is run again after it.
    void SoundCheckButtonClick();
    /// A piano key, 0 ("ДО") to 6 ("СИ").
    void KeyClick(int note);
    void CheckBox18Click();
    /// The service mode shows the piano and the note recording, and hides them again when it ends.
    void toggleServicePanels();
    /// Plays a note through the player; the pitch bar moves when it ends.
    void PlayNote(int durationMs, float frequency);

    NotePlayer& player() { return m_player; }
    /// The chain's pause after its first message; tests drive it.
    QTimer& pauseTimer() { return m_pause; }
    /// True from the first message of a check until the piano is revealed.
    bool checkRunning() const { return m_next >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class StepKind
    {
        Message,
        Pause,
        Tune,
        RevealPiano,
    };
    struct Step
    {
        StepKind kind;
        QString text;
    };
    void runSteps();
    void playerIdle();

    Shell& m_shell;
    Ui::InfoPage& m_ui;
    NotePlayer m_player;
    QTimer m_pause;
    std::vector<Step> m_steps;
    int m_next = -1; // the next step of a running check; -1 when none runs
    bool m_waitingForTune = false;
    int m_repeats = 0;
};
