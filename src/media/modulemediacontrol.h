#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "media/mediacontrol.h"

// The media control the program uses. The backend's module is loaded at the first open, and the control it makes
// takes over with what was set before (the file, the open handler, the display). Until then the control is a
// closed device. Without the module every open fails, as an open the backend gives no verdict on.
class ModuleMediaControl final : public MediaControl
{
public:
    /// `module`: the module's file name without its suffix.
    explicit ModuleMediaControl(QString module = QStringLiteral(TROMBUS_MEDIA_MODULE));
    ~ModuleMediaControl() override;

    void setFileName(const QString& fileName) override;
    QString fileName() const override;
    void open() override;
    bool opening() const override;
    void setOpenHandler(std::function<void(const QString& error)> handler) override;
    bool deviceOpen() const override;
    void play() override;
    void stop() override;
    void pauseToggle() override;
    void seek(qint64 position) override;
    qint64 length() const override;
    qint64 position() const override;
    Mode mode() const override;
    void setDisplay(QWidget* window) override;
    void setDisplayRect(const QRect& rect) override;

    /// The open's error when the backend's module is not there.
    static QString moduleMissingText(const QString& fileName);

private:
    /// The backend's control; nullptr when its module is not there.
    MediaControl* backend();
    /// The backend's control for a command: raises as a closed device before the first open.
    MediaControl& openBackend() const;

    QString m_moduleName;
    bool m_loadTried = false;
    std::unique_ptr<MediaControl> m_backend;
    // What the backend's control is given when it is made.
    QString m_fileName;
    std::function<void(const QString&)> m_openHandler;
    QPointer<QWidget> m_display;
};
