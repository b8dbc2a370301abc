#include "media/qtmediacontrol.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

std::shared_ptr<MediaControl> MediaControl::create(const platform::Context&)
{
    return std::make_shared<QtMediaControl>();
}

QString MediaControl::notOpenText()
{
    return QStringLiteral("Устройство воспроизведения не открыто");
}

QtMediaControl::QtMediaControl() = default;

QtMediaControl::~QtMediaControl()
{
    if (m_player) {
        m_player->stop();
        m_player->setVideoOutput(nullptr);
        m_player->setAudioOutput(nullptr);
    }
}

void QtMediaControl::requireOpen() const
{
    if (!m_open)
        throw MediaError(notOpenText());
}

bool QtMediaControl::atEnd() const
{
    return m_player && !m_restartPending && m_player->mediaStatus() == QMediaPlayer::EndOfMedia;
}

void QtMediaControl::open()
{
    m_displayRect = QRect();
    m_restarted = false;
    openPlayer();
}

void QtMediaControl::openPlayer()
{
    // Closing the previous device first: whatever happens to this open, the old one is gone.
    m_open = false;
    m_mode = Mode::NotReady;
    m_routePending = false;
    m_restartPending = false;
    m_playClock.invalidate();
    // Every file gets a player of its own, so that nothing of the previous file (its position, its end, its
    // video output) carries over to the next. The new player has no video output: a file gets one once it is
    // known to carry video (see routeVideo).
    if (m_player) {
        m_player->stop();
        m_player->setVideoOutput(nullptr);
        m_player->setAudioOutput(nullptr);
    }
    m_player = std::make_unique<QMediaPlayer>();
    if (!m_audio)
        m_audio = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_audio.get());
    if (m_ownWindow)
        m_ownWindow->hide();
    if (m_panelVideo)
        m_panelVideo->hide();

    QString error;
    QEventLoop wait;
    // Only an end reported for this file counts: one that stood before the file was set would end the track
    // before a note of it played.
    bool statusMoved = false;
    const auto settled = [this, &statusMoved] {
        switch (m_player->mediaStatus()) {
        case QMediaPlayer::LoadedMedia:
        case QMediaPlayer::BufferedMedia:
        case QMediaPlayer::InvalidMedia:
            return true;
        case QMediaPlayer::EndOfMedia:
            return statusMoved;
        default:
            return false;
        }
    };
    const QMetaObject::Connection onStatus =
        QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &wait, [&] {
            statusMoved = true;
            if (settled())
                wait.quit();
        });
    const QMetaObject::Connection onError = QObject::connect(
        m_player.get(), &QMediaPlayer::errorOccurred, &wait, [&](QMediaPlayer::Error, const QString& text) {
            // The first report names the cause; the backend's later ones only say that the open failed.
            if (error.isEmpty())
                error = text.isEmpty() ? QStringLiteral("Ошибка открытия") : text;
            wait.quit();
        });
    QTimer::singleShot(OpenTimeoutMs, &wait, &QEventLoop::quit);
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(m_fileName).absoluteFilePath()));
    if (error.isEmpty() && !settled())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(onStatus);
    QObject::disconnect(onError);

    if (error.isEmpty() && m_player->mediaStatus() == QMediaPlayer::InvalidMedia)
        error = m_player->errorString();
    if (!error.isEmpty() || !settled()) {
        if (error.isEmpty())
            error = QStringLiteral("Файл не открылся: ") + m_fileName;
        // The backend may still be reporting on the failed file; a fresh player for the next open hears
        // nothing of it.
        m_player->setVideoOutput(nullptr);
        m_player.reset();
        m_audio.reset();
        throw MediaError(error);
    }
    m_open = true;
    m_mode = Mode::Stopped;
    QMediaPlayer* player = m_player.get();
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                     [this, player](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia)
                             onEnd(player);
                     });
    routeVideo();
}

void QtMediaControl::startedPlaying()
{
    m_playFrom = m_player->position();
    m_playClock.start();
}

void QtMediaControl::onEnd(QMediaPlayer* player)
{
    // Qt Multimedia's GStreamer backend now and then reports the end of a file a tenth of a second after it
    // started to play, before a sound of it was heard (under load, most often on an MP3's first buffers). Such
    // an end, with more than a moment of the track left, opens the file once more and plays it from the start;
    // a file whose sound really ends that early ends at the second try.
    if (m_mode != Mode::Playing || m_restarted || !m_playClock.isValid())
        return;
    const qint64 played = m_playClock.elapsed();
    const qint64 left = player->duration() - m_playFrom;
    if (played >= EarlyEndMs || left < 2 * EarlyEndMs)
        return;
    m_restartPending = true;
    // Not from inside the player's own signal: the restart replaces the player.
    QTimer::singleShot(0, m_audio.get(), [this, player] { restartAfterEarlyEnd(player); });
}

void QtMediaControl::restartAfterEarlyEnd(QMediaPlayer* player)
{
    if (!m_restartPending || m_player.get() != player)
        return;
    m_restartPending = false;
    // Stopped or paused in the meantime: the end stands, as the user left it.
    if (m_mode != Mode::Playing)
        return;
    m_restarted = true;
    try {
        openPlayer();
        play();
    } catch (const MediaError&) {
        // The file opened a moment ago; if it no longer does, the device stays closed and the list waits for
        // the user, as after any failed open.
    }
}

void QtMediaControl::play()
{
    requireOpen();
    if (atEnd() || position() >= length())
        m_player->setPosition(0);
    m_mode = Mode::Playing;
    m_player->play();
    startedPlaying();
}

void QtMediaControl::stop()
{
    requireOpen();
    // Qt's own stop rewinds; a device halts where it is. At the end of the track the backend has halted
    // already, and pausing there would rewind as well.
    if (!atEnd())
        m_player->pause();
    m_mode = Mode::Stopped;
}

void QtMediaControl::pauseToggle()
{
    requireOpen();
    if (mode() == Mode::Playing) {
        m_player->pause();
        m_mode = Mode::Paused;
    } else if (mode() == Mode::Paused) {
        m_player->play();
        m_mode = Mode::Playing;
        startedPlaying();
    }
}

void QtMediaControl::seek(qint64 position)
{
    requireOpen();
    m_player->setPosition(position);
    if (m_mode == Mode::Playing)
        startedPlaying();
}

qint64 QtMediaControl::length() const
{
    requireOpen();
    // A length the backend does not know yet must not read as a track already at its end.
    const qint64 duration = m_player->duration();
    const qint64 at = m_player->position();
    if (atEnd())
        return std::max(duration, at);
    return std::max(duration, at + 1);
}

qint64 QtMediaControl::position() const
{
    if (!m_open)
        return 0;
    if (atEnd())
        return length();
    return std::min(m_player->position(), length() - 1);
}

MediaControl::Mode QtMediaControl::mode() const
{
    if (!m_open)
        return Mode::NotReady;
    if (atEnd())
        return Mode::Stopped;
    return m_mode;
}

void QtMediaControl::setDisplay(QWidget* window)
{
    m_display = window;
    // The player switches the display off and on again right after an open; the backend's video path is
    // changed once, for the last choice, and not at all when that is where the video goes already (changing it
    // while the backend starts playing can stall it).
    if (m_open && !m_routePending) {
        m_routePending = true;
        QTimer::singleShot(0, m_player.get(), [this] {
            m_routePending = false;
            if (m_open)
                routeVideo();
        });
    }
}

void QtMediaControl::setDisplayRect(const QRect& rect)
{
    if (m_open && m_player->hasVideo() && m_display) {
        m_displayRect = rect;
        if (m_panelVideo && m_panelVideo->parentWidget() == m_display)
            m_panelVideo->setGeometry(rect);
    }
}

void QtMediaControl::routeVideo()
{
    if (!m_player)
        return;
    const bool video = m_player->hasVideo();
    // A video output on a file without video makes the backend end the track a moment after it starts; the
    // sound of an audio-only file plays with no output at all, and the display choice waits for a video file.
    if (!video) {
        if (m_player->videoOutput())
            m_player->setVideoOutput(nullptr);
        if (m_panelVideo)
            m_panelVideo->hide();
        if (m_ownWindow)
            m_ownWindow->hide();
        return;
    }
    if (m_display) {
        if (!m_panelVideo || m_panelVideo->parentWidget() != m_display) {
            delete m_panelVideo;
            m_panelVideo = new QVideoWidget(m_display);
            m_panelVideo->setObjectName(QStringLiteral("MediaPlayer1Display"));
            m_panelVideo->setAccessibleName(QStringLiteral("окно видеа"));
            m_panelVideo->setGeometry(m_displayRect.isValid() ? m_displayRect : m_display->rect());
        }
        if (m_player->videoOutput() != m_panelVideo.data())
            m_player->setVideoOutput(m_panelVideo.data());
        m_panelVideo->show();
        if (m_ownWindow)
            m_ownWindow->hide();
        return;
    }
    if (!m_ownWindow) {
        m_ownWindow = std::make_unique<QVideoWidget>();
        m_ownWindow->setObjectName(QStringLiteral("MediaPlayer1Window"));
        m_ownWindow->resize(320, 240);
    }
    m_ownWindow->setWindowTitle(QFileInfo(m_fileName).fileName());
    if (m_player->videoOutput() != m_ownWindow.get())
        m_player->setVideoOutput(m_ownWindow.get());
    m_ownWindow->show();
    if (m_panelVideo)
        m_panelVideo->hide();
}
