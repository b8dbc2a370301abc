#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace platform {
namespace {

// An autostart entry lasts for one logon, as the run-once list does: the entry starts the program with this
// marker in its environment, and the program deletes the entry when it sees the marker.
constexpr const char* kStartedMarker = "TROMBUS_AUTOSTART";

QString autostartDirectory()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

QString entryPath()
{
    return autostartDirectory() + QStringLiteral("/trombus.desktop");
}

// One argument of the Exec key: quoted, with the characters the quoting reserves escaped, "%" doubled (it
// starts field codes), and then the escapes of a desktop-entry string value.
QString execArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    QString escaped;
    for (const QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

QString singleLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

class XdgAutostart final : public Autostart
{
public:
    bool registerOnce(const std::string& name, const std::string& executable) override
    {
        if (!QDir().mkpath(autostartDirectory()))
            return false;
        const QString entry = QStringLiteral("[Desktop Entry]\n"
                                             "Type=Application\n"
                                             "Name=%1\n"
                                             "Exec=env %2=1 %3\n"
                                             "X-GNOME-Autostart-enabled=true\n")
                                  .arg(singleLine(QString::fromStdString(name)), QLatin1String(kStartedMarker),
                                       execArgument(QString::fromStdString(executable)));
        QSaveFile file(entryPath());
        // Unbuffered: a buffered write is flushed only by commit(), which misses a full disk and keeps the cut
        // entry.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray bytes = entry.toUtf8();
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    }

    bool unregister(const std::string&) override { return QFile::remove(entryPath()); }

    bool isRegistered(const std::string&) override { return QFile::exists(entryPath()); }

    void consumeIfStartedByIt() override
    {
        if (qgetenv(kStartedMarker) != "1")
            return;
        QFile::remove(entryPath());
        // Programs this one starts must not take the marker for their own.
        qunsetenv(kStartedMarker);
    }
};

} // namespace

std::shared_ptr<Autostart> Autostart::create(const Context&)
{
    return std::make_shared<XdgAutostart>();
}

} // namespace platform
