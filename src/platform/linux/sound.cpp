#include "platform/sound.h"

#include "platform/linux/toneplayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

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

    void beep(int frequency, int durationMs) override { m_tones.play(frequency, durationMs); }

    void playFile(const std::string& path) override
    {
        // As PlaySound, a new sound ends the one still playing.
        m_file.reset();
        const QFileInfo file(QString::fromStdString(path));
        if (!file.isFile() || !file.isReadable()) {
            errorBeep();
            return;
        }
        m_file = std::make_unique<QSoundEffect>();
        QSoundEffect* effect = m_file.get();
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [this, effect] {
            if (effect->status() == QSoundEffect::Ready)
                effect->play();
            else if (effect->status() == QSoundEffect::Error)
                errorBeep();
        });
        effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    }

private:
    detail::TonePlayer m_tones;
    std::unique_ptr<QSoundEffect> m_file;
};

} // namespace

std::shared_ptr<Sound> Sound::create(const Context&)
{
    return std::make_shared<DesktopSound>();
}

} // namespace platform
