#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <optional>
#include <ostream>
#include <vector>

#include "platform/opener.h"

namespace {

// One start of a recording program: which one, and the arguments it was given, byte for byte.
struct OpenCall
{
    QString program;
    QStringList arguments;
    bool operator==(const OpenCall&) const = default;
};

void PrintTo(const OpenCall& call, std::ostream* out)
{
    *out << call.program.toStdString() << " [" << call.arguments.join(QStringLiteral("|")).toStdString() << "]";
}

using Calls = std::vector<OpenCall>;

// The real opener over a private search path of recording programs, with the current folder, the home folder
// and the configuration folders in a temporary folder, so nothing of the tester's desktop is started.
class OpenerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_mkdir = QStandardPaths::findExecutable(QStringLiteral("mkdir"));
        m_mv = QStandardPaths::findExecutable(QStringLiteral("mv"));
        m_touch = QStandardPaths::findExecutable(QStringLiteral("touch"));
        ASSERT_FALSE(m_mkdir.isEmpty() || m_mv.isEmpty() || m_touch.isEmpty());
        for (const char* name : {"bin", "work", "home", "config", "xdg", "calls"})
            ASSERT_TRUE(QDir().mkpath(path(name)));
        m_savedPath = qgetenv("PATH");
        m_savedHome = qgetenv("HOME");
        m_savedXdg = qgetenv("XDG_CONFIG_HOME");
        m_savedCurrent = QDir::currentPath();
        qputenv("PATH", path("bin").toUtf8());
        qputenv("HOME", path("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", path("xdg").toUtf8());
        ASSERT_TRUE(QDir::setCurrent(path("work")));
        addProgram(QStringLiteral("sentinel"));
        opener = platform::Opener::create(platform::Context{path("config").toStdString(), {}});
    }

    void TearDown() override
    {
        QDir::setCurrent(m_savedCurrent);
        qputenv("PATH", m_savedPath);
        qputenv("HOME", m_savedHome);
        qputenv("XDG_CONFIG_HOME", m_savedXdg);
    }

    QString path(const QString& name) const { return m_root.path() + QLatin1Char('/') + name; }
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    // A program on the private search path that records its start and does nothing else.
    void addProgram(const QString& name) { addProgramAt(path("bin") + QLatin1Char('/') + name, name); }

    void addProgramAt(const QString& file, const QString& label)
    {
        const QString id = QString::number(m_labels.size());
        m_labels << label;
        const QString script =
            QStringLiteral("#!/bin/sh\n"
                           "d='%1/%2.'$$\n"
                           "'%3' \"$d.part\" || exit 1\n"
                           "i=0\n"
                           "for a in \"$@\"; do i=$((i+1)); printf '%s' \"$a\" > \"$d.part/$i\"; done\n"
                           "exec '%4' \"$d.part\" \"$d\"\n")
                .arg(path("calls"), id, m_mkdir, m_mv);
        writeFile(file, script.toUtf8());
        ASSERT_TRUE(QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner));
    }

    void writeFile(const QString& file, const QByteArray& content)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << file.toStdString();
        out.write(content);
    }

    Calls calls() const
    {
        Calls found;
        const QDir dir(path("calls"));
        for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (entry.endsWith(QLatin1String(".part")))
                continue;
            OpenCall call{m_labels.value(entry.section(QLatin1Char('.'), 0, 0).toInt()), {}};
            const QDir arguments(dir.filePath(entry));
            for (int i = 1; QFile::exists(arguments.filePath(QString::number(i))); ++i) {
                QFile argument(arguments.filePath(QString::number(i)));
                argument.open(QIODevice::ReadOnly);
                call.arguments << QString::fromUtf8(argument.readAll());
            }
            found.push_back(call);
        }
        return found;
    }

    // The starts recorded once `count` have come in, or whatever came in within ten seconds.
    Calls waitForCalls(std::size_t count) const
    {
        QElapsedTimer clock;
        clock.start();
        Calls found = calls();
        while (found.size() < count && clock.elapsed() < 10000) {
            QThread::msleep(10);
            found = calls();
        }
        return found;
    }

    // Nothing was started by what went before: a start made afterwards is the only one that comes in.
    void expectNothingStarted()
    {
        ASSERT_TRUE(opener->open("sentinel"));
        EXPECT_EQ(waitForCalls(1), (Calls{{QStringLiteral("sentinel"), {}}}));
    }

    // The texts of a table with the temporary folders in place of their names.
    QString expand(QString text) const
    {
        text.replace(QLatin1String("WORK"), path("work"));
        text.replace(QLatin1String("HOME"), path("home"));
        text.replace(QLatin1String("CONFIG"), path("config"));
        text.replace(QLatin1String("AUTOSTART"), path("xdg/autostart"));
        return text;
    }

    std::shared_ptr<platform::Opener> opener;
    QString m_touch;

private:
    QTemporaryDir m_root{QDir::tempPath() + QStringLiteral("/opener_test-XXXXXX")};
    QString m_mkdir;
    QString m_mv;
    QStringList m_labels;
    QByteArray m_savedPath;
    QByteArray m_savedHome;
    QByteArray m_savedXdg;
    QString m_savedCurrent;
};

// What one name starts; no program means the opener refuses it and starts nothing.
struct NameCase
{
    const char* label;
    const char* name;
    const char* program;
    std::vector<const char*> arguments;
};

void PrintTo(const NameCase& row, std::ostream* out)
{
    *out << row.label;
}

// Files of every kind beside the two default handlers of the desktop.
class OpenerNameTest : public OpenerTest, public testing::WithParamInterface<NameCase>
{
protected:
    void SetUp() override
    {
        OpenerTest::SetUp();
        addProgram(QStringLiteral("xdg-open"));
        addProgram(QStringLiteral("gio"));
        writeFile(path("work/notes.txt"), "notes");
        writeFile(path("work/-notes.txt"), "notes");
        writeFile(path("home/doc.txt"), "doc");
        ASSERT_TRUE(QDir().mkpath(path("work/folder")));
        addProgramAt(path("work/run.sh"), QStringLiteral("run.sh"));
        writeFile(path("work/data.bin"), "not a program");
        ASSERT_TRUE(QFile::setPermissions(path("work/data.bin"), QFile::ReadOwner | QFile::ExeOwner));
        writeFile(path("work/app.desktop"), "[Desktop Entry]\nType=Application\nName=App\nExec=app\n");
    }
};

TEST_P(OpenerNameTest, StartsWhatTheNameNames)
{
    const NameCase& row = GetParam();
    const bool started = opener->open(expand(QString::fromUtf8(row.name)).toStdString());
    if (!row.program) {
        EXPECT_FALSE(started);
        expectNothingStarted();
        return;
    }
    ASSERT_TRUE(started);
    OpenCall expected{QString::fromUtf8(row.program), {}};
    for (const char* argument : row.arguments)
        expected.arguments << expand(QString::fromUtf8(argument));
    EXPECT_EQ(waitForCalls(1), Calls{expected});
}

INSTANTIATE_TEST_SUITE_P(
    Names, OpenerNameTest,
    testing::Values(NameCase{"FileInTheCurrentFolder", "notes.txt", "xdg-open", {"WORK/notes.txt"}},
                    NameCase{"AbsolutePath", "WORK/notes.txt", "xdg-open", {"WORK/notes.txt"}},
                    NameCase{"FileWhoseNameLooksLikeAnOption", "-notes.txt", "xdg-open", {"WORK/-notes.txt"}},
                    NameCase{"Folder", "folder", "xdg-open", {"WORK/folder"}},
                    NameCase{"HomeFolder", "~", "xdg-open", {"HOME"}},
                    NameCase{"FileInTheHomeFolder", "~/doc.txt", "xdg-open", {"HOME/doc.txt"}},
                    NameCase{"ScriptIsRunItself", "run.sh", "run.sh", {}},
                    NameCase{"ExecutableMarkWithoutAProgramInside", "data.bin", "xdg-open", {"WORK/data.bin"}},
                    NameCase{"DesktopEntryIsLaunched", "app.desktop", "gio", {"launch", "WORK/app.desktop"}},
                    NameCase{"Url", "https://example.org/a?b=1&c=2", "xdg-open", {"https://example.org/a?b=1&c=2"}},
                    NameCase{"UrlIsHandedOverEncoded",
                             "https://example.org/a b|c`d`",
                             "xdg-open",
                             {"https://example.org/a%20b%7Cc%60d%60"}},
                    NameCase{"MailAddress", "mailto:someone@example.org", "xdg-open", {"mailto:someone@example.org"}},
                    NameCase{"WebAddressWithoutScheme", "www.example.org", "xdg-open", {"http://www.example.org"}},
                    NameCase{"ProgramOnTheSearchPath", "sentinel", "sentinel", {}},
                    NameCase{"ProgramWithArgumentsIsOneName", "sentinel --help", nullptr, {}},
                    NameCase{"Empty", "", nullptr, {}}, NameCase{"UnknownName", "no-such-thing", nullptr, {}},
                    NameCase{"MissingFile", "WORK/missing.txt", nullptr, {}},
                    NameCase{"WindowsDrive", "C:\\", nullptr, {}}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

TEST_F(OpenerTest, WithoutXdgOpenGioOpensTheFile)
{
    addProgram(QStringLiteral("gio"));
    writeFile(path("work/notes.txt"), "notes");
    ASSERT_TRUE(opener->open("notes.txt"));
    EXPECT_EQ(waitForCalls(1), (Calls{{QStringLiteral("gio"), {QStringLiteral("open"), path("work/notes.txt")}}}));
}

TEST_F(OpenerTest, WithoutAnyHandlerFilesAndUrlsFailQuietly)
{
    writeFile(path("work/notes.txt"), "notes");
    EXPECT_FALSE(opener->open("notes.txt"));
    EXPECT_FALSE(opener->open("https://example.org/"));
    expectNothingStarted();
}

// A Windows tool name of the run box, the programs installed, and what is started.
struct ToolCase
{
    const char* label;
    const char* name;
    std::vector<const char*> installed;
    const char* program;
    std::vector<const char*> arguments;
};

void PrintTo(const ToolCase& row, std::ostream* out)
{
    *out << row.label;
}

class OpenerToolTest : public OpenerTest, public testing::WithParamInterface<ToolCase>
{
};

TEST_P(OpenerToolTest, ToolNameStartsTheDesktopsEquivalent)
{
    const ToolCase& row = GetParam();
    for (const char* program : row.installed)
        addProgram(QString::fromUtf8(program));
    const bool started = opener->open(row.name);
    if (!row.program) {
        EXPECT_FALSE(started);
        expectNothingStarted();
        return;
    }
    ASSERT_TRUE(started);
    OpenCall expected{QString::fromUtf8(row.program), {}};
    for (const char* argument : row.arguments)
        expected.arguments << expand(QString::fromUtf8(argument));
    EXPECT_EQ(waitForCalls(1), Calls{expected});
}

INSTANTIATE_TEST_SUITE_P(
    Tools, OpenerToolTest,
    testing::Values(
        ToolCase{"CmdTerminalInListOrder", "cmd", {"xterm", "konsole"}, "konsole", {}},
        ToolCase{"CmdDebianAlternativeFirst", "cmd", {"xterm", "x-terminal-emulator"}, "x-terminal-emulator", {}},
        ToolCase{"CmdWithExeInCapitals", "CMD.EXE", {"xterm"}, "xterm", {}},
        ToolCase{"CmdIsNotAProgramOfThatName", "cmd", {"cmd"}, nullptr, {}},
        ToolCase{"ExplorerFileManagerOnHome", "explorer", {"xdg-open", "dolphin"}, "dolphin", {"HOME"}},
        ToolCase{"ExplorerDefaultHandlerOnHome", "explorer", {"xdg-open"}, "xdg-open", {"HOME"}},
        ToolCase{"TaskmgrSystemMonitor", "taskmgr", {"gnome-system-monitor"}, "gnome-system-monitor", {}},
        ToolCase{"TaskmgrNothingInstalled", "taskmgr", {"xdg-open", "xterm"}, nullptr, {}},
        ToolCase{"DxdiagSystemInformation", "dxdiag", {"gnome-system-monitor", "hardinfo"}, "hardinfo", {}},
        ToolCase{"DxdiagFallsBackToMonitor", "dxdiag", {"xfce4-taskmanager"}, "xfce4-taskmanager", {}},
        ToolCase{"RegeditSettingsInEditor", "regedit", {"regedit", "gedit"}, "gedit", {"CONFIG/registry.reg"}},
        ToolCase{"RegeditMixedCase", "RegEdit", {"kate"}, "kate", {"CONFIG/registry.reg"}},
        ToolCase{"RegeditNeverTheRegFileHandler", "regedit", {"xdg-open", "gio"}, nullptr, {}},
        ToolCase{"MsconfigAutostartFolder", "msconfig", {"thunar"}, "thunar", {"AUTOSTART"}},
        ToolCase{"MsconfigDefaultHandler", "msconfig", {"xdg-open"}, "xdg-open", {"AUTOSTART"}},
        ToolCase{"ExplorerNothingInstalled", "explorer", {}, nullptr, {}}),
    [](const testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.label); });

TEST_F(OpenerTest, MsconfigMakesTheAutostartFolderItShows)
{
    addProgram(QStringLiteral("nautilus"));
    ASSERT_TRUE(opener->open("msconfig"));
    EXPECT_TRUE(QFileInfo(path("xdg/autostart")).isDir());
}

// Text that a command shell would take as several commands, a substitution or a redirection.
struct ShellText
{
    const char* label;
    const char* name;
};

// Where the text is found: nowhere, as a file of the current folder, or as a program on the search path.
enum class Place
{
    Nowhere,
    File,
    Program
};

void PrintTo(const ShellText& text, std::ostream* out)
{
    *out << text.label;
}

void PrintTo(Place place, std::ostream* out)
{
    static const char* const places[] = {"Nowhere", "File", "Program"};
    *out << places[int(place)];
}

std::string shellCaseName(const testing::TestParamInfo<std::tuple<ShellText, Place>>& info)
{
    return testing::PrintToString(std::get<0>(info.param)) + "_" + testing::PrintToString(std::get<1>(info.param));
}

class OpenerShellTest : public OpenerTest, public testing::WithParamInterface<std::tuple<ShellText, Place>>
{
protected:
    void SetUp() override
    {
        OpenerTest::SetUp();
        addProgram(QStringLiteral("xdg-open"));
        addProgram(QStringLiteral("gio"));
        // Every shell a careless opener could reach through the search path records itself; a real shell reached
        // another way would find a real touch to create the file with.
        for (const char* shell : {"sh", "bash", "dash", "zsh"})
            addProgram(QString::fromUtf8(shell));
        ASSERT_TRUE(QFile::link(m_touch, path("bin/touch")));
    }
};

TEST_P(OpenerShellTest, ShellTextIsOneNameAndRunsNoCommand)
{
    const auto& [text, place] = GetParam();
    const QString name = QString::fromUtf8(text.name);
    if (place == Place::File)
        writeFile(path("work/") + name, "file");
    if (place == Place::Program)
        addProgram(name);

    const bool started = opener->open(name.toStdString());
    switch (place) {
    case Place::Nowhere:
        EXPECT_FALSE(started);
        expectNothingStarted();
        break;
    case Place::File:
        ASSERT_TRUE(started);
        EXPECT_EQ(waitForCalls(1), (Calls{{QStringLiteral("xdg-open"), {path("work/") + name}}}));
        break;
    case Place::Program:
        ASSERT_TRUE(started);
        EXPECT_EQ(waitForCalls(1), (Calls{{name, {}}}));
        break;
    }
    EXPECT_FALSE(QFile::exists(path("work/pwned")));
    EXPECT_FALSE(QFile::exists(path("home/pwned")));
}

INSTANTIATE_TEST_SUITE_P(
    ShellTexts, OpenerShellTest,
    testing::Combine(testing::Values(ShellText{"Semicolon", "; touch pwned"},
                                     ShellText{"CommandThenSemicolon", "x; touch pwned"},
                                     ShellText{"Substitution", "$(touch pwned)"},
                                     ShellText{"Backquotes", "`touch pwned`"}, ShellText{"Pipe", "x | touch pwned"},
                                     ShellText{"And", "x && touch pwned"}, ShellText{"Redirection", "x > pwned"},
                                     ShellText{"LineBreak", "x\ntouch pwned"},
                                     ShellText{"QuotesClosed", "'; touch pwned; '"},
                                     ShellText{"LeadingDash", "-x; touch pwned"}, ShellText{"Option", "--help"}),
                     testing::Values(Place::Nowhere, Place::File, Place::Program)),
    shellCaseName);

} // namespace
