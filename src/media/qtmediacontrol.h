#pragma once

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

private:
    void requireOpen() const;
    bool atEnd() const;
    void routeVideo();

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QString m_fileName;
    bool m_open = false;
    Mode m_mode = Mode::NotReady;
    QPointer<QWidget> m_display;
    QRect m_displayRect;
    bool m_routePending = false;
    QPointer<QVideoWidget> m_panelVideo;
    std::unique_ptr<QVideoWidget> m_ownWindow;
};
