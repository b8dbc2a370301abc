#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/linux/desktopapps.h"
#include "recordingprograms.h"

namespace {

// Private configuration and data folders, so that only the applications and lists a test writes exist.
class DefaultApplication : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* folder : {"config", "sysconfig", "data/applications", "sysdata/applications"})
            QDir().mkpath(programs.path(folder));
        environment.set("XDG_CONFIG_HOME", programs.path("config"));
        environment.set("XDG_CONFIG_DIRS", programs.path("sysconfig"));
        environment.set("XDG_DATA_HOME", programs.path("data"));
        environment.set("XDG_DATA_DIRS", programs.path("sysdata"));
        ASSERT_TRUE(shareMimeDatabase(programs.path("sysdata")));
        environment.set("XDG_CURRENT_DESKTOP", QStringLiteral("Test"));
        environment.set("PATH", programs.path("bin"));
    }

    void write(const QString& name, const QString& text)
    {
        const QString file = programs.path(name);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }

    void application(const QString& id, const QString& exec, const QString& extra = {},
                     const QString& folder = QStringLiteral("sysdata"))
    {
        write(folder + QStringLiteral("/applications/") + id,
              QStringLiteral("[Desktop Entry]\nType=Application\nName=App\nExec=%1\n%2").arg(exec, extra));
    }

    static std::optional<std::string> cppEditor() { return platform::detail::defaultApplicationExec("text/x-c++src"); }

    RecordingPrograms programs;
    EnvironmentGuard environment;
};

TEST_F(DefaultApplication, IsTheUsersDefaultForTheType)
{
    application(QStringLiteral("kate.desktop"), QStringLiteral("kate -b %U"));
    application(QStringLiteral("geany.desktop"), QStringLiteral("geany %F"));
    write(QStringLiteral("sysconfig/mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/x-c++src=kate.desktop\n"));
    write(QStringLiteral("config/mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/x-c++src=missing.desktop;geany.desktop;\n"));
    EXPECT_EQ(cppEditor(), "geany %F");
}

TEST_F(DefaultApplication, TheDesktopsOwnListComesFirstAndEscapesAreResolved)
{
    application(QStringLiteral("kate.desktop"), QStringLiteral("kate -b %U"));
    application(QStringLiteral("my-ed.desktop"), QStringLiteral(R"("/opt/my\sed/ed" --x %f)"));
    write(QStringLiteral("config/mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/x-c++src=kate.desktop\n"));
    write(QStringLiteral("config/test-mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/x-c++src=my-ed.desktop\n"));
    EXPECT_EQ(cppEditor(), R"("/opt/my ed/ed" --x %f)");
}

TEST_F(DefaultApplication, ATypeWithoutADefaultTakesThatOfWhatItIsAKindOf)
{
    application(QStringLiteral("mousepad.desktop"), QStringLiteral("mousepad %U"));
    write(QStringLiteral("data/applications/mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/plain=mousepad.desktop\n"));
    EXPECT_EQ(cppEditor(), "mousepad %U");
}

TEST_F(DefaultApplication, HiddenRemovedAndUninstalledApplicationsAreSkipped)
{
    application(QStringLiteral("hidden.desktop"), QStringLiteral("hidden %f"), QStringLiteral("Hidden=true\n"));
    application(QStringLiteral("gone.desktop"), QStringLiteral("gone %f"), QStringLiteral("TryExec=gone-editor\n"));
    application(QStringLiteral("removed.desktop"), QStringLiteral("removed %f"),
                QStringLiteral("MimeType=text/x-c++src;\n"));
    application(QStringLiteral("link.desktop"), QStringLiteral("x"), QStringLiteral("Type=Link\n"));
    write(QStringLiteral("config/mimeapps.list"),
          QStringLiteral("[Default Applications]\ntext/x-c++src=hidden.desktop;gone.desktop;link.desktop\n"
                         "[Removed Associations]\ntext/x-c++src=removed.desktop\n"));
    EXPECT_EQ(cppEditor(), std::nullopt);
    // Once its program is installed, the entry that asked for it counts.
    programs.add(QStringLiteral("gone-editor"));
    EXPECT_EQ(cppEditor(), "gone %f");
}

TEST_F(DefaultApplication, WithoutAnyDefaultAnApplicationTakingTheTypeServes)
{
    application(QStringLiteral("b-editor.desktop"), QStringLiteral("bed %F"),
                QStringLiteral("MimeType=text/x-c++src;\n"));
    application(QStringLiteral("a-viewer.desktop"), QStringLiteral("aview %F"),
                QStringLiteral("MimeType=image/png;\n"));
    EXPECT_EQ(cppEditor(), "bed %F");
}

TEST_F(DefaultApplication, NoApplicationMeansNothing)
{
    EXPECT_EQ(cppEditor(), std::nullopt);
    EXPECT_EQ(platform::detail::defaultApplicationExec("no/such-type"), std::nullopt);
}

} // namespace
