#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <unistd.h>

#include "media/webbrowser.h"

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
        QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef TROMBUS_INSTALLED_MODULE_DIR
        // An installed program finds its module in its library folder, at the same place relative to it under
        // any prefix.
        folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(TROMBUS_INSTALLED_MODULE_DIR));
#endif
#ifdef TROMBUS_MODULE_DIR
        folders << QStringLiteral(TROMBUS_MODULE_DIR);
#endif
        for (const QString& folder : folders) {
            m_library.setFileName(QDir(folder).filePath(QStringLiteral("trombus_webengine")));
            if (m_library.load()) {
                m_make = reinterpret_cast<MakeWebBrowserFunction>(m_library.resolve(TROMBUS_WEB_BROWSER_ENTRY));
                if (m_make)
                    return true;
                m_library.unload();
            }
        }
        return false;
    }

    QLibrary m_library;
    MakeWebBrowserFunction m_make = nullptr;
};

} // namespace

std::shared_ptr<WebBrowserFactory> WebBrowserFactory::create(const platform::Context&)
{
    return std::make_shared<ModuleWebBrowserFactory>();
}
