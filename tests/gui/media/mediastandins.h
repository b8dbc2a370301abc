#pragma once

#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include "media/mediacontrol.h"
#include "media/webbrowser.h"

// The media control as a log of the commands it was given, with a track of a chosen length whose position a
// test moves. Files named in `failing` do not open, with the backend's kind of text. An open decides at once,
// or with `decideLater` stays pending until the test gives the verdict (decide()).
class RecordingMediaControl final : public MediaControl
{
public:
    void setFileName(const QString& fileName) override { name = fileName; }
    QString fileName() const override { return name; }
    void open() override
    {
        open_ = false;
        pending = false;
        currentMode = Mode::NotReady;
        log << QStringLiteral("open ") + name;
        if (!decideLater && failing.contains(QFileInfo(name).fileName()))
            throw MediaError(QStringLiteral("Could not determine type of stream."));
        open_ = true;
        pending = decideLater;
        currentMode = Mode::Stopped;
        at = 0;
        lengthKnown = !lengthUnknownAfterOpen;
    }
    bool opening() const override { return pending; }
    void setOpenHandler(std::function<void(const QString& error)> handler) override { openHandler = handler; }
    /// The backend's verdict on the pending open: `failing` decides it.
    void decide()
    {
        pending = false;
        QString error;
        if (failing.contains(QFileInfo(name).fileName())) {
            error = QStringLiteral("Could not determine type of stream.");
            open_ = false;
            currentMode = Mode::NotReady;
        }
        if (openHandler)
            openHandler(error);
    }
    bool deviceOpen() const override { return open_; }
    void play() override
    {
        require();
        log << QStringLiteral("play");
        if (at >= trackLength)
            at = 0;
        currentMode = Mode::Playing;
    }
    void stop() override
    {
        require();
        log << QStringLiteral("stop");
        currentMode = Mode::Stopped;
    }
    void pauseToggle() override
    {
        require();
        log << QStringLiteral("pause");
        if (currentMode == Mode::Playing)
            currentMode = Mode::Paused;
        else if (currentMode == Mode::Paused)
            currentMode = Mode::Playing;
    }
    void seek(qint64 position) override
    {
        require();
        log << QStringLiteral("seek %1").arg(position);
        at = position;
    }
    qint64 length() const override
    {
        require();
        // Like the backend, a length it does not know yet reads as just past the position.
        return lengthKnown ? trackLength : at + 1;
    }
    qint64 position() const override { return at; }
    Mode mode() const override { return currentMode; }
    void setDisplay(QWidget* window) override
    {
        log << QStringLiteral("display ") + (window ? window->objectName() : QStringLiteral("own"));
    }
    void setDisplayRect(const QRect& rect) override
    {
        // As the platform gives a rectangle: left, top, right, bottom (right and bottom just outside).
        log << QStringLiteral("rect %1,%2,%3,%4")
                   .arg(rect.left())
                   .arg(rect.top())
                   .arg(rect.left() + rect.width())
                   .arg(rect.top() + rect.height());
    }

    /// The commands given since the last call.
    QStringList take()
    {
        QStringList taken = log;
        log.clear();
        return taken;
    }

    QString name;
    QStringList log;
    QSet<QString> failing;
    qint64 trackLength = 994000;
    // The backend tells a freshly opened file's length only some time after the open.
    bool lengthUnknownAfterOpen = false;
    bool lengthKnown = true;
    qint64 at = 0;
    Mode currentMode = Mode::NotReady;
    bool decideLater = false;
    bool pending = false;
    std::function<void(const QString&)> openHandler;

private:
    void require() const
    {
        if (!open_)
            throw MediaError(notOpenText());
    }
    bool open_ = false;
};

// A browser that records what it is asked, with a plain widget for its view.
class RecordingWebBrowser final : public WebBrowser
{
public:
    RecordingWebBrowser(QWidget* container, QStringList& log) : m_view(new QWidget(container)), m_log(log)
    {
        m_view->setObjectName(QStringLiteral("RecordingView"));
    }
    QWidget* view() override { return m_view; }
    void Navigate(const QString& address) override { m_log << QStringLiteral("navigate ") + address; }
    void GoBack() override { m_log << QStringLiteral("back"); }
    void GoForward() override { m_log << QStringLiteral("forward"); }
    void Stop() override { m_log << QStringLiteral("stop"); }
    void Refresh() override { m_log << QStringLiteral("refresh"); }
    QString LocationURL() const override { return {}; }
    QString LocationName() const override { return {}; }

private:
    QWidget* m_view;
    QStringList& m_log;
};

class RecordingWebBrowserFactory final : public WebBrowserFactory
{
public:
    std::unique_ptr<WebBrowser> make(QWidget* container) override
    {
        ++made;
        return std::make_unique<RecordingWebBrowser>(container, log);
    }
    int made = 0;
    QStringList log;
};
