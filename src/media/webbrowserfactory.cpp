#include <unistd.h>

#include "media/webbrowser.h"
#include "platform/linux/modulelibrary.h"

namespace {

// The engine (Qt WebEngine) is a module of its own, loaded when the first browser is made: the program's
// start-up and every window test do without its libraries.
class ModuleWebBrowserFactory final : public WebBrowserFactory
{
public:
    std::unique_ptr<WebBrowser> make(QWidget* container) override
    {
        if (!m_make && !load())
            return nullptr;
        return std::unique_ptr<WebBrowser>(m_make(container));
    }

private:
    bool load()
    {
        // The engine's sandbox cannot start for the superuser; it is left on for everyone else.
        if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        m_make = reinterpret_cast<MakeWebBrowserFunction>(
            platform::detail::programModuleEntry(QStringLiteral("trombus_webengine"), TROMBUS_WEB_BROWSER_ENTRY));
        return m_make != nullptr;
    }

    MakeWebBrowserFunction m_make = nullptr;
};

} // namespace

std::shared_ptr<WebBrowserFactory> WebBrowserFactory::create(const platform::Context&)
{
    return std::make_shared<ModuleWebBrowserFactory>();
}
