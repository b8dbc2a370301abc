#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "common/errors.h"

namespace platform {
struct Context;
}
class QWidget;

/// A media device's error: a file that cannot be opened (the backend's own text), or a command given while
/// no device is open. It goes to the default error report.
class MediaError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

/// The media control `MediaPlayer1`: one file at a time, opened as a device, with the commands the player
/// gives it. Length and position are in the backend's own unit (milliseconds with Qt Multimedia). The
/// commands marked "raises" throw MediaError.
class MediaControl
{
public:
    enum class Mode
    {
        NotReady, // no device open
        Stopped,
        Playing,
        Paused,
    };

    /// The program's backend, loaded from its module at the first open; tests put a recording stand-in in its
    /// place through the platform object.
    static std::shared_ptr<MediaControl> create(const platform::Context& context);
    virtual ~MediaControl() = default;

    /// The file the next open() opens; it stays set when that open fails.
    virtual void setFileName(const QString& fileName) = 0;
    virtual QString fileName() const = 0;
    /// Opens the file as a device, closing the one open before, and returns without waiting for the backend.
    /// Raises with the backend's error text when its verdict is known at once; otherwise the device counts as
    /// open while the verdict is pending (opening()), the commands given meanwhile take effect once the file
    /// has loaded, and the verdict goes to the open handler.
    virtual void open() = 0;
    /// The backend has not yet given its verdict on the last open.
    virtual bool opening() const = 0;
    /// Told the verdict on an open that was still pending when open() returned, never from inside open():
    /// an empty text when the file opened, else the backend's error text (the device is closed then). A later
    /// open, or the device's own restart of a track, makes the verdict of the one before void.
    virtual void setOpenHandler(std::function<void(const QString& error)> handler) = 0;
    /// A device is open or opening (the last open has not failed).
    virtual bool deviceOpen() const = 0;
    /// Plays from the current position, from the start when the position is at the end; returns at once.
    /// Raises when no device is open.
    virtual void play() = 0;
    /// Halts playback; the position stays. Raises when no device is open.
    virtual void stop() = 0;
    /// Pauses while playing, resumes while paused, else nothing. Raises when no device is open.
    virtual void pauseToggle() = 0;
    /// The next play starts at `position`. Raises when no device is open.
    virtual void seek(qint64 position) = 0;
    /// Raises when no device is open.
    virtual qint64 length() const = 0;
    /// At the end of the track the position equals the length.
    virtual qint64 position() const = 0;
    virtual Mode mode() const = 0;
    /// Video goes into `window` (nullptr: the device's own window). Without an open video device the choice
    /// is kept for the next open.
    virtual void setDisplay(QWidget* window) = 0;
    /// Places the video inside the display window; dropped without an open video device.
    virtual void setDisplayRect(const QRect& rect) = 0;

    /// The text of the report for a command given while no device is open.
    static QString notOpenText() { return QStringLiteral("Устройство воспроизведения не открыто"); }

protected:
    MediaControl() = default;
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;
};

// The backend (Qt Multimedia) lives in a module of its own: start-up and a run that never plays do without its
// libraries. Its entry point makes a new control, owned by the caller.
using MakeMediaControlFunction = MediaControl* (*)();
#define TROMBUS_MEDIA_MODULE "trombus_mediabackend"
#define TROMBUS_MEDIA_ENTRY "trombusMakeMediaControl"
