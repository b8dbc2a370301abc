#include "platform/printscreen.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace platform {
namespace {

// Linux desktops leave the key to the desktop's own screenshot tool, which may not touch the clipboard at all,
// so the program grabs the screen itself and puts the picture there, as Windows does for the key.
class ScreenGrabPrintScreen final : public PrintScreen
{
public:
    void press() override
    {
        // A Wayland compositor lets no client read the screen (only its portal can, after asking the user), so
        // there the key does nothing, as on a system that ignores it.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return;
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        // Window 0 is the whole desktop; on X11 the root window spans every monitor.
        const QPixmap shot = screen->grabWindow(0);
        if (shot.isNull())
            return;
        QGuiApplication::clipboard()->setImage(shot.toImage());
    }
};

} // namespace

std::shared_ptr<PrintScreen> PrintScreen::create(const Context&)
{
    return std::make_shared<ScreenGrabPrintScreen>();
}

} // namespace platform
