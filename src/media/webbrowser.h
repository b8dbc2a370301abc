#pragma once

#include <QString>
#include <memory>

namespace platform {
struct Context;
}
class QWidget;

/// The embedded browser `CppWebBrowser1`: the viewer passes it addresses and navigation commands and does
/// not look at their results. Plain C++ so that the engine can live in a module of its own.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;
    /// The browser's view, a child of the container it was made in.
    virtual QWidget* view() = 0;
    virtual void Navigate(const QString& address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    /// The address of the page shown.
    virtual QString LocationURL() const = 0;
    /// The title of the page shown.
    virtual QString LocationName() const = 0;
};

/// Makes the browser when the page is first shown, so that start-up and memory do not pay for the engine.
/// Tests put a recording stand-in in its place through the platform object.
class WebBrowserFactory
{
public:
    static std::shared_ptr<WebBrowserFactory> create(const platform::Context& context);
    virtual ~WebBrowserFactory() = default;
    /// A browser filling `container`; nullptr when the engine is not there (the page then stays empty).
    virtual std::unique_ptr<WebBrowser> make(QWidget* container) = 0;
};

/// The entry point of the engine module: a browser whose view fills `container`.
using MakeWebBrowserFunction = WebBrowser* (*)(QWidget* container);
#define TROMBUS_WEB_BROWSER_ENTRY "trombusMakeWebBrowser"
