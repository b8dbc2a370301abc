#include "platform/linux/modulelibrary.h"
#include "platform/linux/pulsevolume.h"

namespace platform {
namespace {

// Loads the sound server's module at the first request. Without it the service answers as without a sound
// server: nothing to read, nothing taken.
class ModuleVolume final : public Volume
{
public:
    std::optional<std::uint32_t> read() override
    {
        Volume* volume = service();
        return volume ? volume->read() : std::nullopt;
    }

    bool write(std::uint32_t word) override
    {
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

    bool m_tried = false;
    std::unique_ptr<Volume> m_service;
};

} // namespace

std::shared_ptr<Volume> Volume::create(const Context&)
{
    return std::make_shared<ModuleVolume>();
}

} // namespace platform
