#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "media/mediacontrol.h"

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;

// The media control over Qt Multimedia. The player (and with it the backend) is made at the first open, so
// a run that never plays pays nothing for it. Opening waits for the backend's verdict, so that a file it
// cannot play fails at the open as the device did; the wait keeps timers running and holds back the user's
// input.
class QtMediaControl final : public MediaControl
{
public:
    QtMediaControl();
    ~QtMediaControl() override;

    void setFileName(const QString& fileName) override { m_fileName = fileName; }
    QString fileName() const override { return m_fileName; }
    void open() override;
    bool deviceOpen() const override { return m_open; }
    void play() override;
    void stop() override;
    void pauseToggle() override;
    void seek(qint64 position) override;
    qint64 length() const override;
    qint64 position() const override;
    Mode mode() const override;
    void setDisplay(QWidget* window) override;
    void setDisplayRect(const QRect& rect) override;

    /// How long an open may wait for the backend.
    static constexpr int OpenTimeoutMs = 5000;
    /// An end reported this soon after the start of playing, with more of the track left than that, is taken
    /// for the backend's fault, and the track starts once more.
    static constexpr int EarlyEndMs = 500;

private:
    void openPlayer();
    void requireOpen() const;
    bool atEnd() const;
    void routeVideo();
    void startedPlaying();
    void onEnd(QMediaPlayer* player);
    void restartAfterEarlyEnd(QMediaPlayer* player);

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QString m_fileName;
    bool m_open = false;
    Mode m_mode = Mode::NotReady;
    QPointer<QWidget> m_display;
    QRect m_displayRect;
    bool m_routePending = false;
    // Where and when playing last started, to tell an end that comes too early.
    QElapsedTimer m_playClock;
    qint64 m_playFrom = 0;
    bool m_restartPending = false; // an early end was seen; the restart is on its way
    bool m_restarted = false;      // this open has had its restart
    QPointer<QVideoWidget> m_panelVideo;
    std::unique_ptr<QVideoWidget> m_ownWindow;
};
