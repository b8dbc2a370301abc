#include "platform/systeminfo.h"

#include "platform/linux/livesystem.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

// The buffers the program hands to GetUserNameA and GetComputerNameA.
constexpr std::size_t kUserNameBuffer = 28;
constexpr std::size_t kComputerNameBuffer = 16;

// Plays the Windows system directory: where the system's shared libraries live, as System32 holds the DLLs.
constexpr const char* kSystemDirectory = "/usr/lib";

class LinuxSystemInfo final : public SystemInfo
{
public:
    explicit LinuxSystemInfo(Context context) : m_context(std::move(context)) {}

    std::optional<std::string> userName() override { return detail::fitInBuffer(detail::loginName(), kUserNameBuffer); }

    std::optional<std::string> computerName() override
    {
        return detail::fitInBuffer(detail::hostName(), kComputerNameBuffer);
    }

    std::string systemDirectory() override { return kSystemDirectory; }

    std::string windowsDirectory() override { return m_context.configDir; }

    ScreenSize monitorSizeAt(int x, int y) override
    {
        // Screens exist only with a GUI application object; a plain QCoreApplication or none at all has none.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return {};
        QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (!screen)
            return {};
        const QSize size = screen->geometry().size();
        return {size.width(), size.height()};
    }

private:
    Context m_context;
};

} // namespace

std::shared_ptr<SystemInfo> SystemInfo::create(const Context& context)
{
    return std::make_shared<LinuxSystemInfo>(context);
}

} // namespace platform
