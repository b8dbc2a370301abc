#include "media/modulemediacontrol.h"

#include "platform/linux/modulelibrary.h"

#include <utility>

std::shared_ptr<MediaControl> MediaControl::create(const platform::Context&)
{
    return std::make_shared<ModuleMediaControl>();
}

ModuleMediaControl::ModuleMediaControl(QString module) : m_moduleName(std::move(module)) {}

ModuleMediaControl::~ModuleMediaControl() = default;

QString ModuleMediaControl::moduleMissingText(const QString& fileName)
{
    return QStringLiteral("Файл не открылся: ") + fileName;
}

MediaControl* ModuleMediaControl::backend()
{
    if (!m_loadTried) {
        m_loadTried = true;
        // The module itself loads in a few milliseconds; the backend's own start (GStreamer and its plugins) is
        // what takes long, and the backend's control does that on a thread of its own.
        if (const auto make = reinterpret_cast<MakeMediaControlFunction>(
                platform::detail::programModuleEntry(m_moduleName, TROMBUS_MEDIA_ENTRY))) {
            m_backend.reset(make());
            m_backend->setFileName(m_fileName);
            m_backend->setOpenHandler(m_openHandler);
            m_backend->setDisplay(m_display);
        }
    }
    return m_backend.get();
}

MediaControl& ModuleMediaControl::openBackend() const
{
    if (!m_backend)
        throw MediaError(notOpenText());
    return *m_backend;
}

void ModuleMediaControl::setFileName(const QString& fileName)
{
    m_fileName = fileName;
    if (m_backend)
        m_backend->setFileName(fileName);
}

QString ModuleMediaControl::fileName() const
{
    return m_backend ? m_backend->fileName() : m_fileName;
}

void ModuleMediaControl::open()
{
    MediaControl* media = backend();
    if (!media)
        throw MediaError(moduleMissingText(m_fileName));
    media->open();
}

bool ModuleMediaControl::opening() const
{
    return m_backend && m_backend->opening();
}

void ModuleMediaControl::setOpenHandler(std::function<void(const QString& error)> handler)
{
    if (m_backend)
        m_backend->setOpenHandler(handler);
    m_openHandler = std::move(handler);
}

bool ModuleMediaControl::deviceOpen() const
{
    return m_backend && m_backend->deviceOpen();
}

void ModuleMediaControl::play()
{
    openBackend().play();
}

void ModuleMediaControl::stop()
{
    openBackend().stop();
}

void ModuleMediaControl::pauseToggle()
{
    openBackend().pauseToggle();
}

void ModuleMediaControl::seek(qint64 position)
{
    openBackend().seek(position);
}

qint64 ModuleMediaControl::length() const
{
    return openBackend().length();
}

qint64 ModuleMediaControl::position() const
{
    return m_backend ? m_backend->position() : 0;
}

MediaControl::Mode ModuleMediaControl::mode() const
{
    return m_backend ? m_backend->mode() : Mode::NotReady;
}

void ModuleMediaControl::setDisplay(QWidget* window)
{
    m_display = window;
    if (m_backend)
        m_backend->setDisplay(window);
}

void ModuleMediaControl::setDisplayRect(const QRect& rect)
{
    // Without an open device the place is dropped, as the backend's control drops it.
    if (m_backend)
        m_backend->setDisplayRect(rect);
}
