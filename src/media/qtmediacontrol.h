#pragma once

#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "media/mediacontrol.h"

class QAudioOutput;
class QVideoWidget;

// The media control over Qt Multimedia. The player (and with it the backend) is made at the first open, so
// a run that never plays pays nothing for it. An open returns at once: the backend's status reports decide it
// later, and the commands given in between are kept and carried out on the loaded file. A file the backend
// cannot play closes the device when its verdict comes, as an open that failed.
class QtMediaControl final : public MediaControl
{
public:
    QtMediaControl();
    ~QtMediaControl() override;

    void setFileName(const QString& fileName) override { m_fileName = fileName; }
    QString fileName() const override { return m_fileName; }
    void open() override;
    bool opening() const override { return m_opening; }
    void setOpenHandler(std::function<void(const QString& error)> handler) override
    {
        m_openHandler = std::move(handler);
    }
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

    /// How long an open may wait for the backend's verdict.
    static constexpr int OpenTimeoutMs = 5000;
    /// An end reported this soon after the start of playing, with more of the track left than that, is taken
    /// for the backend's fault, and the track starts once more.
    static constexpr int EarlyEndMs = 500;

private:
    // A command given while the open waits for its verdict.
    struct Queued
    {
        enum Kind
        {
            Play,
            Stop,
            Pause,
            Seek,
        } kind;
        qint64 position = 0;
    };

    /// Starts opening m_fileName on a player of its own; raises when the backend refuses it at once. The
    /// verdict of a restart goes to nobody.
    void openPlayer(bool tellVerdict);
    /// Makes the file's player and sets the file; a refusal known at once raises when `inOpen`, else it is the
    /// open's verdict.
    void startLoading(bool inOpen);
    void onStatus(quint64 open, QMediaPlayer::MediaStatus status);
    void onError(quint64 open, const QString& text);
    /// Decides the pending open on the backend's reports so far, once the report at hand has been delivered.
    void scheduleVerdict();
    /// The open's verdict, from the reports so far; an empty text also while the backend is still loading.
    QString verdictError() const;
    bool loadedStatus() const;
    void finishOpen();
    void failOpen(const QString& error);
    /// Lets go of the player (and the audio output) of a failed open; its reports are no longer heard.
    void dropFailedPlayer();
    void requireOpen() const;
    bool atEnd() const;
    void routeVideo();
    void changeVideoOutput(QObject* output);
    /// The video window inside the display window, made when there is none there yet.
    void preparePanelVideo();
    void startedPlaying();
    void onEnd(QMediaPlayer* player);
    void restartAfterEarlyEnd(QMediaPlayer* player);

    std::unique_ptr<QMediaPlayer> m_player;
    // Counts the opens: a report or a timer of an earlier one finds another number here and is void.
    quint64 m_openCount = 0;
    bool m_opening = false;
    bool m_tellVerdict = false;
    bool m_settingSource = false;
    bool m_verdictScheduled = false;
    bool m_statusMoved = false;
    QString m_openError;
    std::vector<Queued> m_queued;
    std::function<void(const QString&)> m_openHandler;
    // Ends an open that has no verdict in time; also the context of the control's own queued calls.
    QTimer m_openTimer;
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
