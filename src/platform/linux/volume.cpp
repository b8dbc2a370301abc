#include "platform/linux/modulelibrary.h"
#include "platform/linux/pulsevolume.h"

#include <mutex>

namespace platform {
namespace {

// Loads the sound server's module at the first request. Without it the service answers as without a sound
// server: nothing to read, nothing taken. The window reads the volume once from a thread of its own while its
// controls may already write, so one request runs at a time.
class ModuleVolume final : public Volume
{
public:
    std::optional<std::uint32_t> read() override
    {
        const std::lock_guard lock(m_mutex);
        Volume* volume = service();
        return volume ? volume->read() : std::nullopt;
    }

    bool write(std::uint32_t word) override
    {
        const std::lock_guard lock(m_mutex);
        Volume* volume = service();
        return volume && volume->write(word);
    }

private:
    Volume* service()
    {
        if (!m_tried) {
            m_tried = true;
            if (const auto make = reinterpret_cast<detail::MakeVolumeFunction>(
                    detail::programModuleEntry(QStringLiteral(TROMBUS_VOLUME_MODULE), TROMBUS_VOLUME_ENTRY)))
                m_service.reset(make());
        }
        return m_service.get();
    }

    std::mutex m_mutex;
    bool m_tried = false;
    std::unique_ptr<Volume> m_service;
};

} // namespace

std::shared_ptr<Volume> Volume::create(const Context&)
{
    return std::make_shared<ModuleVolume>();
}

} // namespace platform
