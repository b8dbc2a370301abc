// The browser over Qt WebEngine, built as a module that the program loads when the Internet page is first
// shown.
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QPointer>
#include <QQuickWindow>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "media/webbrowser.h"

namespace {

class WebEngineBrowser final : public WebBrowser
{
public:
    explicit WebEngineBrowser(QWidget* container) : m_view(new QWebEngineView(container))
    {
        m_view->setObjectName(QStringLiteral("CppWebBrowser1View"));
        m_view->setAccessibleName(container->accessibleName());
        // The page's right click opens the viewer's own menu, as the container asks.
        m_view->setContextMenuPolicy(container->contextMenuPolicy());
        QObject::connect(m_view, &QWidget::customContextMenuRequested, container, [this, container](QPoint at) {
            emit container->customContextMenuRequested(m_view->mapTo(container, at));
        });
        auto* layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        // Made while its container is being shown, the view is shown with it.
        m_view->show();
    }

    QWidget* view() override { return m_view; }

    void Navigate(const QString& address) override
    {
        // An address as a user types it: a bare host name is a web site, an absolute path a local file.
        const QUrl url = address.isEmpty() ? QUrl(QStringLiteral("about:blank")) : QUrl::fromUserInput(address);
        if (m_view)
            m_view->load(url);
    }
    void GoBack() override
    {
        if (m_view)
            m_view->back();
    }
    void GoForward() override
    {
        if (m_view)
            m_view->forward();
    }
    void Stop() override
    {
        if (m_view)
            m_view->stop();
    }
    void Refresh() override
    {
        if (m_view)
            m_view->reload();
    }
    QString LocationURL() const override { return m_view ? m_view->url().toString() : QString(); }
    QString LocationName() const override { return m_view ? m_view->title() : QString(); }

private:
    QPointer<QWebEngineView> m_view;
};

} // namespace

// Qt's own hook for the context that every OpenGL context of the program shares with (QtGui, not declared in
// its public headers).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

extern "C" Q_DECL_EXPORT WebBrowser* trombusMakeWebBrowser(QWidget* container)
{
    // The engine draws with OpenGL in a context shared with the program's windows. Qt makes that context at
    // start-up only when asked before the application object exists; the program does not ask, so that
    // start-up does not load OpenGL for a page that may never be shown, and the context is made here, before
    // the engine's first use. Without OpenGL the engine composes its pages in software.
    static const bool graphicsChosen = [] {
        // The engine's report of its graphics set-up is for its own developers, not for our users' terminals.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
        if (QOpenGLContext::globalShareContext())
            return true;
        // The engine asks the shared context for its format even when OpenGL is missing, as Qt's own start-up
        // hook leaves it: made, if not valid.
        auto* shared = new QOpenGLContext(qApp);
        if (!shared->create())
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        qt_gl_set_global_share_context(shared);
        return true;
    }();
    Q_UNUSED(graphicsChosen);
    return new WebEngineBrowser(container);
}
