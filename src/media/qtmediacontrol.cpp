#include "media/qtmediacontrol.h"

#include "media/backendwarmup.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>
#include <utility>

QtMediaControl::QtMediaControl()
{
    m_openTimer.setSingleShot(true);
    QObject::connect(&m_openTimer, &QTimer::timeout, &m_openTimer, [this] {
        if (m_opening)
            failOpen(QStringLiteral("Файл не открылся: ") + m_fileName);
    });
}

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
    openPlayer(true);
}

void QtMediaControl::openPlayer(bool tellVerdict)
{
    // Closing the previous device first: whatever happens to this open, the old one is gone, and nothing it
    // still reports counts for this one.
    ++m_openCount;
    m_open = false;
    m_mode = Mode::NotReady;
    m_opening = false;
    m_tellVerdict = tellVerdict;
    m_verdictScheduled = false;
    m_statusMoved = false;
    m_openError.clear();
    m_queued.clear();
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
        m_player.reset();
    }
    if (m_ownWindow)
        m_ownWindow->hide();
    if (m_panelVideo)
        m_panelVideo->hide();
    m_open = true;
    m_mode = Mode::Stopped;
    m_opening = true;
    if (backendwarmup::ready()) {
        startLoading(true);
        return;
    }
    // The backend's first start is done on a thread of its own; the file is set once it is over.
    const quint64 open = m_openCount;
    backendwarmup::whenReady(&m_openTimer, [this, open] {
        if (open == m_openCount && m_opening)
            startLoading(false);
    });
}

void QtMediaControl::startLoading(bool inOpen)
{
    // The first audio output asks the sound server for its devices: made on a turn of the event loop of its
    // own, the window answers between it and the player's making.
    if (!m_audio && !inOpen) {
        m_audio = std::make_unique<QAudioOutput>();
        const quint64 open = m_openCount;
        QTimer::singleShot(0, &m_openTimer, [this, open] {
            if (open == m_openCount && m_opening && !m_player)
                startLoading(false);
        });
        return;
    }
    m_player = std::make_unique<QMediaPlayer>();
    if (!m_audio)
        m_audio = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_audio.get());

    QMediaPlayer* player = m_player.get();
    const quint64 open = m_openCount;
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                     [this, open](QMediaPlayer::MediaStatus status) { onStatus(open, status); });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player,
                     [this, open](QMediaPlayer::Error, const QString& text) { onError(open, text); });
    m_openTimer.start(OpenTimeoutMs);
    m_settingSource = true;
    player->setSource(QUrl::fromLocalFile(QFileInfo(m_fileName).absoluteFilePath()));
    m_settingSource = false;
    // The backend may know at once: a refusal then fails the open itself, or, after the backend's first
    // start, goes to the open handler.
    const QString error = verdictError();
    if (!error.isEmpty()) {
        if (!inOpen) {
            failOpen(error);
            return;
        }
        m_open = false;
        m_mode = Mode::NotReady;
        m_opening = false;
        dropFailedPlayer();
        throw MediaError(error);
    }
    if (loadedStatus())
        finishOpen();
}

void QtMediaControl::onStatus(quint64 open, QMediaPlayer::MediaStatus status)
{
    if (open != m_openCount)
        return;
    if (m_opening) {
        m_statusMoved = true;
        scheduleVerdict();
    } else if (status == QMediaPlayer::EndOfMedia) {
        onEnd(m_player.get());
    }
}

void QtMediaControl::onError(quint64 open, const QString& text)
{
    if (open != m_openCount || !m_opening)
        return;
    // The first report names the cause; the backend's later ones only say that the open failed.
    if (m_openError.isEmpty())
        m_openError = text.isEmpty() ? QStringLiteral("Ошибка открытия") : text;
    scheduleVerdict();
}

void QtMediaControl::scheduleVerdict()
{
    // While the source is being set, openPlayer itself looks at the reports when setSource returns. Otherwise
    // the verdict waits until the backend has delivered the report at hand (an error often follows its status
    // at once), and is not given from inside the player's own signal, which the verdict may end.
    if (m_settingSource || m_verdictScheduled)
        return;
    m_verdictScheduled = true;
    const quint64 open = m_openCount;
    QTimer::singleShot(0, &m_openTimer, [this, open] {
        if (open != m_openCount || !m_opening)
            return;
        m_verdictScheduled = false;
        const QString error = verdictError();
        if (!error.isEmpty())
            failOpen(error);
        else if (loadedStatus())
            finishOpen();
    });
}

QString QtMediaControl::verdictError() const
{
    if (!m_openError.isEmpty())
        return m_openError;
    if (m_player->mediaStatus() == QMediaPlayer::InvalidMedia) {
        const QString text = m_player->errorString();
        return text.isEmpty() ? QStringLiteral("Ошибка открытия") : text;
    }
    return {};
}

bool QtMediaControl::loadedStatus() const
{
    switch (m_player->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        return true;
    case QMediaPlayer::EndOfMedia:
        // Only an end reported for this file counts: one that stood before the file was set would end the
        // track before a note of it played.
        return m_statusMoved;
    default:
        return false;
    }
}

void QtMediaControl::finishOpen()
{
    m_openTimer.stop();
    m_opening = false;
    m_mode = Mode::Stopped;
    routeVideo();
    // What the user asked for while the file loaded, in the order asked.
    const std::vector<Queued> queued = std::exchange(m_queued, {});
    for (const Queued& command : queued) {
        switch (command.kind) {
        case Queued::Play:
            play();
            break;
        case Queued::Stop:
            stop();
            break;
        case Queued::Pause:
            pauseToggle();
            break;
        case Queued::Seek:
            seek(command.position);
            break;
        }
    }
    if (m_tellVerdict && m_openHandler)
        m_openHandler(QString());
}

void QtMediaControl::failOpen(const QString& error)
{
    m_open = false;
    m_mode = Mode::NotReady;
    m_opening = false;
    m_queued.clear();
    dropFailedPlayer();
    if (m_tellVerdict && m_openHandler)
        m_openHandler(error);
}

void QtMediaControl::dropFailedPlayer()
{
    // The backend may still be reporting on the failed file; a fresh player for the next open hears nothing of
    // it. (The verdict is never given from inside the player's own signal, so the player can go at once.)
    ++m_openCount;
    m_openTimer.stop();
    if (m_player)
        m_player->setVideoOutput(nullptr);
    m_player.reset();
    m_audio.reset();
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
        openPlayer(false);
        play();
    } catch (const MediaError&) {
        // The file opened a moment ago; if it no longer does, the device stays closed and the list waits for
        // the user, as after any failed open.
    }
}

void QtMediaControl::play()
{
    requireOpen();
    if (m_opening) {
        m_queued.push_back({Queued::Play});
        m_mode = Mode::Playing;
        return;
    }
    if (atEnd() || position() >= length())
        m_player->setPosition(0);
    m_mode = Mode::Playing;
    m_player->play();
    startedPlaying();
}

void QtMediaControl::stop()
{
    requireOpen();
    if (m_opening) {
        m_queued.push_back({Queued::Stop});
        m_mode = Mode::Stopped;
        return;
    }
    // Qt's own stop rewinds; a device halts where it is. At the end of the track the backend has halted
    // already, and pausing there would rewind as well.
    if (!atEnd())
        m_player->pause();
    m_mode = Mode::Stopped;
}

void QtMediaControl::pauseToggle()
{
    requireOpen();
    if (m_opening) {
        m_queued.push_back({Queued::Pause});
        if (m_mode == Mode::Playing)
            m_mode = Mode::Paused;
        else if (m_mode == Mode::Paused)
            m_mode = Mode::Playing;
        return;
    }
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
    if (m_opening) {
        m_queued.push_back({Queued::Seek, position});
        return;
    }
    m_player->setPosition(position);
    if (m_mode == Mode::Playing)
        startedPlaying();
}

qint64 QtMediaControl::length() const
{
    requireOpen();
    if (!m_player)
        return 1; // the backend is still starting: as a length not known yet
    // A length the backend does not know yet must not read as a track already at its end.
    const qint64 duration = m_player->duration();
    const qint64 at = m_player->position();
    if (atEnd())
        return std::max(duration, at);
    return std::max(duration, at + 1);
}

qint64 QtMediaControl::position() const
{
    if (!m_open || !m_player)
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
    if (m_open && m_player && !m_routePending) {
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
    // While the file loads, whether it has video is not known yet; the place is kept for it.
    if (m_open && (m_opening || m_player->hasVideo()) && m_display) {
        m_displayRect = rect;
        // The panel's video window is there from the open on, as with a device; it shows once the file is known
        // to carry video.
        if (m_opening)
            preparePanelVideo();
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
        preparePanelVideo();
        if (m_player->videoOutput() != m_panelVideo.data())
            changeVideoOutput(m_panelVideo.data());
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
        changeVideoOutput(m_ownWindow.get());
    m_ownWindow->show();
    if (m_panelVideo)
        m_panelVideo->hide();
}

void QtMediaControl::changeVideoOutput(QObject* output)
{
    // Moving the video to another window while the backend plays can leave it stalled for good, the picture
    // and the position frozen; with the backend paused for the move it goes on where it was.
    const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
    if (playing)
        m_player->pause();
    m_player->setVideoOutput(output);
    if (playing)
        m_player->play();
}

void QtMediaControl::preparePanelVideo()
{
    if (m_panelVideo && m_panelVideo->parentWidget() == m_display)
        return;
    delete m_panelVideo;
    m_panelVideo = new QVideoWidget(m_display);
    m_panelVideo->setObjectName(QStringLiteral("MediaPlayer1Display"));
    m_panelVideo->setAccessibleName(QStringLiteral("окно видеа"));
    m_panelVideo->setGeometry(m_displayRect.isValid() ? m_displayRect : m_display->rect());
}
