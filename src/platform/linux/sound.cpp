#include "platform/sound.h"

#include "platform/linux/modulelibrary.h"
#include "platform/linux/soundoutput.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

namespace platform {
namespace {

// The freedesktop sound theme's error event; desktops install it under the shared data folders.
QString errorSoundFile()
{
    for (const char* name : {"sounds/freedesktop/stereo/dialog-error.oga", "sounds/freedesktop/stereo/dialog-error.ogg",
                             "sounds/freedesktop/stereo/dialog-error.wav"}) {
        const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

class DesktopSound final : public Sound
{
public:
    void errorBeep() override
    {
        const QString file = errorSoundFile();
        if (!file.isEmpty()) {
            const struct
            {
                const char* program;
                QStringList arguments;
            } players[] = {
                {"canberra-gtk-play", {QStringLiteral("-f"), file}},
                {"paplay", {file}},
                {"pw-play", {file}},
            };
            for (const auto& player : players) {
                const QString program = QStandardPaths::findExecutable(QString::fromLatin1(player.program));
                if (!program.isEmpty() && QProcess::startDetached(program, player.arguments))
                    return;
            }
        }
        // No theme sound or no player: the display's bell.
        QApplication::beep();
    }

    void beep(int frequency, int durationMs) override
    {
        // Without the output's module nothing is heard, as without a sound device.
        if (detail::SoundOutput* out = output())
            out->tone(frequency, durationMs);
    }

    void playFile(const std::string& path) override
    {
        detail::SoundOutput* out = output();
        if (!out) {
            errorBeep();
            return;
        }
        out->playFile(QString::fromStdString(path), [this] { errorBeep(); });
    }

private:
    detail::SoundOutput* output()
    {
        if (!m_tried) {
            m_tried = true;
            if (const auto make = reinterpret_cast<detail::MakeSoundOutputFunction>(
                    detail::programModuleEntry(QStringLiteral(TROMBUS_SOUND_MODULE), TROMBUS_SOUND_ENTRY)))
                m_output.reset(make());
        }
        return m_output.get();
    }

    bool m_tried = false;
    std::unique_ptr<detail::SoundOutput> m_output;
};

} // namespace

std::shared_ptr<Sound> Sound::create(const Context&)
{
    return std::make_shared<DesktopSound>();
}

} // namespace platform
