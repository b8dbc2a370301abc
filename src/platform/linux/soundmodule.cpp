#include "platform/linux/soundoutput.h"
#include "platform/linux/toneplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <memory>

namespace platform::detail {
namespace {

class QtSoundOutput final : public SoundOutput
{
public:
    void tone(int frequency, int durationMs) override { m_tones.play(frequency, durationMs); }

    void playFile(const QString& path, std::function<void()> failed) override
    {
        // As PlaySound, a new sound ends the one still playing.
        m_file.reset();
        const QFileInfo file(path);
        if (!file.isFile() || !file.isReadable()) {
            failed();
            return;
        }
        m_file = std::make_unique<QSoundEffect>();
        QSoundEffect* effect = m_file.get();
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect, failed = std::move(failed)] {
            if (effect->status() == QSoundEffect::Ready)
                effect->play();
            else if (effect->status() == QSoundEffect::Error)
                failed();
        });
        effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    }

private:
    TonePlayer m_tones;
    std::unique_ptr<QSoundEffect> m_file;
};

} // namespace
} // namespace platform::detail

extern "C" Q_DECL_EXPORT platform::detail::SoundOutput* trombusMakeSoundOutput()
{
    return new platform::detail::QtSoundOutput();
}
