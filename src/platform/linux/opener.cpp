#include "platform/opener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <optional>
#include <vector>

namespace platform {
namespace {

// A program named as the search path finds it, with fixed words or absolute paths as its arguments.
struct ProgramCall
{
    QString program;
    QStringList arguments;
};
using Calls = std::vector<ProgramCall>;

// Candidates for the Windows tools of the run box, best first; the first one installed is started.
const QStringList kTerminals = QStringLiteral("x-terminal-emulator gnome-terminal konsole xfce4-terminal mate-terminal "
                                              "qterminal lxterminal tilix terminator alacritty kitty foot xterm")
                                   .split(QLatin1Char(' '));
const QStringList kFileManagers =
    QStringLiteral("nautilus dolphin thunar nemo caja pcmanfm-qt pcmanfm").split(QLatin1Char(' '));
const QStringList kSystemMonitors =
    QStringLiteral(
        "gnome-system-monitor plasma-systemmonitor ksysguard xfce4-taskmanager mate-system-monitor lxtask qps")
        .split(QLatin1Char(' '));
const QStringList kSystemInformation = QStringLiteral("hardinfo kinfocenter").split(QLatin1Char(' '));
const QStringList kTextEditors =
    QStringLiteral("gnome-text-editor gedit kate kwrite mousepad pluma xed featherpad leafpad geany")
        .split(QLatin1Char(' '));

Calls eachWith(const QStringList& programs, const QStringList& arguments)
{
    Calls calls;
    for (const QString& program : programs)
        calls.push_back({program, arguments});
    return calls;
}

Calls operator+(Calls first, const Calls& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The desktop's default handler for an absolute path or a URL.
Calls defaultHandler(const QString& target)
{
    return {{QStringLiteral("xdg-open"), {target}}, {QStringLiteral("gio"), {QStringLiteral("open"), target}}};
}

QString autostartFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

// None of the programs started here takes an option from us, so an argument that would read as one is refused;
// the targets handed over are absolute paths and URLs, which never begin with "-".
bool start(const QString& program, const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(QLatin1Char('-')))
            return false;
    return QProcess::startDetached(program, arguments);
}

bool startFirstInstalled(const Calls& calls)
{
    for (const ProgramCall& call : calls) {
        const QString program = QStandardPaths::findExecutable(call.program);
        if (!program.isEmpty() && start(program, call.arguments))
            return true;
    }
    return false;
}

// A file the system can run by itself: executable, and a compiled program or a script naming its interpreter.
// Files on foreign file systems are often all marked executable, so the mark alone is not enough.
bool isProgramFile(const QFileInfo& info)
{
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == "\x7f"
                   "ELF" ||
           head.startsWith("#!");
}

QString absolutePath(const QString& name)
{
    if (name == QLatin1String("~"))
        return QDir::homePath();
    if (name.startsWith(QLatin1String("~/")))
        return QDir::homePath() + name.mid(1);
    return QFileInfo(name).absoluteFilePath();
}

// The encoded address when the name is a URL, or a web address the shell would complete ("www.").
QString addressOf(const QString& name)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    QString text = name;
    if (!scheme.match(text).hasMatch()) {
        if (!text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            return {};
        text.prepend(QLatin1String("http://"));
    }
    const QUrl url(text, QUrl::TolerantMode);
    return url.isValid() ? QString::fromLatin1(url.toEncoded()) : QString();
}

class DesktopOpener final : public Opener
{
public:
    explicit DesktopOpener(QString configDir) : m_configDir(std::move(configDir)) {}

    bool open(const std::string& target) override
    {
        const QString name = QString::fromStdString(target);
        if (name.isEmpty() || name.contains(QChar(0)))
            return false;
        if (const std::optional<Calls> calls = toolCalls(name))
            return startFirstInstalled(*calls);
        if (!name.contains(QLatin1Char('/'))) {
            const QString program = QStandardPaths::findExecutable(name);
            if (!program.isEmpty())
                return start(program, {});
        }
        const QFileInfo path(absolutePath(name));
        if (path.exists())
            return openPath(path);
        const QString address = addressOf(name);
        return !address.isEmpty() && startFirstInstalled(defaultHandler(address));
    }

private:
    static bool openPath(const QFileInfo& path)
    {
        const QString file = path.absoluteFilePath();
        if (isProgramFile(path))
            return start(file, {});
        if (path.isFile() && file.endsWith(QLatin1String(".desktop")) &&
            startFirstInstalled({{QStringLiteral("gio"), {QStringLiteral("launch"), file}}}))
            return true;
        return startFirstInstalled(defaultHandler(file));
    }

    // What the Windows tool names of the run box start here; nothing when the name is not one of them, so a
    // program of the same name on the search path (Wine's, say) never stands in for the desktop's own tool.
    std::optional<Calls> toolCalls(const QString& name) const
    {
        QString tool = name.toLower();
        if (tool.endsWith(QLatin1String(".exe")))
            tool.chop(4);
        if (tool == QLatin1String("cmd"))
            return eachWith(kTerminals, {});
        if (tool == QLatin1String("explorer")) {
            const QString home = QDir::homePath();
            return eachWith(kFileManagers, {home}) + defaultHandler(home);
        }
        if (tool == QLatin1String("taskmgr"))
            return eachWith(kSystemMonitors, {});
        if (tool == QLatin1String("dxdiag"))
            return eachWith(kSystemInformation + kSystemMonitors, {});
        if (tool == QLatin1String("regedit")) {
            // A .reg file's own handler may be Wine's registry import, so only a text editor is asked.
            QDir().mkpath(configDir());
            return eachWith(kTextEditors, {QDir(configDir()).absoluteFilePath(QStringLiteral("registry.reg"))});
        }
        if (tool == QLatin1String("msconfig")) {
            const QString folder = autostartFolder();
            QDir().mkpath(folder);
            return eachWith(kFileManagers, {folder}) + defaultHandler(folder);
        }
        return std::nullopt;
    }

    QString configDir() const
    {
        return QDir(m_configDir.isEmpty() ? QString::fromStdString(defaultConfigDir()) : m_configDir).absolutePath();
    }

    QString m_configDir;
};

} // namespace

std::shared_ptr<Opener> Opener::create(const Context& context)
{
    return std::make_shared<DesktopOpener>(QString::fromStdString(context.configDir));
}

} // namespace platform
