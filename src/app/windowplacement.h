#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <optional>

class QWidget;
class QWindow;

// Puts a top-level window's frame where the program means it. Under a window manager the frame is known
// only some time after the window is first shown; a placement made before that puts the client area where
// the frame was meant (the title bar then ends up above it), so the placement is remembered and made once
// more as soon as the frame is known, with the frame's real size.
class WindowPlacement final : public QObject
{
    Q_OBJECT
public:
    enum class Fit
    {
        AsGiven,   // exactly at the point
        Reachable, // at the point, unless the title bar would be out of reach there: then on the nearest screen
        Inside,    // at the point, moved only as far as it takes to keep the whole frame on its screen
    };

    explicit WindowPlacement(QWidget* window);

    /// Puts the frame's top-left corner at the point, as the fit allows.
    void placeFrame(const QPoint& topLeft, Fit fit = Fit::AsGiven);
    /// Places the frame again after the window changed its size: a pending placement is made anew for the
    /// new size, else the frame is kept where it is, as the fit allows.
    void placeAgain(Fit fit);
    /// Where the frame's top-left corner is, or where it goes once a pending placement is made.
    QPoint framePosition() const;
    /// The frame's rectangle at framePosition(), decoration included as far as it is known.
    QRect frameRect() const;
    /// The decoration around the client area, as the window system reports it (none while not known).
    QMargins decoration() const;
    /// The height of the frame's title bar, or the least height counted as one when it is not known.
    int titleBarHeight() const;
    /// The usable areas of all screens, in global coordinates.
    static QList<QRect> screenAreas();
    /// True while a placement waits for the window manager to show the frame where it was meant.
    bool pending() const { return m_request.has_value(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Request
    {
        QPoint topLeft;
        Fit fit;
    };

    bool frameKnown() const;
    QPoint actualFramePosition() const;
    /// Where the request puts the frame, for the frame's size as known now.
    QPoint target() const;
    void apply();
    /// Compares the frame with a pending placement once the frame is known, and places it again if need be.
    void check();
    void scheduleCheck();
    void watchWindowHandle();

    QWidget* m_window;
    QPointer<QWindow> m_watched;
    std::optional<Request> m_request;
    QPoint m_requestedClient;
    int m_retries = 0;
    bool m_reapplyQueued = false;
    bool m_checkQueued = false;
};
