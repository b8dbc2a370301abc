#include "platform/printscreen.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace platform {
namespace {

// True when every pixel is black: what an X server gives for a screen it cannot read.
bool allBlack(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (qGray(line[x]) != 0)
                return false;
        }
    }
    return true;
}

// A Wayland compositor lets no client read the screen (only its portal can, after asking the user). An X server
// beside it (XWayland) holds only the X11 windows: a grab of it is black wherever the compositor's own windows
// are. So in a Wayland session the key does nothing and the clipboard keeps what the user put there.
bool waylandSession()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// Linux desktops leave the key to the desktop's own screenshot tool, which may not touch the clipboard at all,
// so the program grabs the screen itself and puts the picture there, as Windows does for the key.
class ScreenGrabPrintScreen final : public PrintScreen
{
public:
    void press() override
    {
        if (waylandSession())
            return;
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        // Window 0 is the whole desktop; on X11 the root window spans every monitor.
        const QImage shot = screen->grabWindow(0).toImage();
        if (shot.isNull() || allBlack(shot))
            return;
        QGuiApplication::clipboard()->setImage(shot);
    }
};

} // namespace

std::shared_ptr<PrintScreen> PrintScreen::create(const Context&)
{
    return std::make_shared<ScreenGrabPrintScreen>();
}

} // namespace platform
