#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "platform/commandrunner.h"
#include "platform/registry.h"
#include "recordingprograms.h"

namespace {

using Call = RecordingPrograms::Call;

using platform::Hive;

// The real registry over a private config folder; the classes root comes from the desktop's file types.
class ClassesRootTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_config.isValid()); }

    platform::Registry& registry() { return m_platform.get<platform::Registry>(); }
    bool registryFileWritten() const { return QFileInfo::exists(m_config.path() + QStringLiteral("/registry.reg")); }

    QTemporaryDir m_config;
    platform::Platform m_platform{platform::Context{m_config.path().toStdString(), {}}};
};

TEST_F(ClassesRootTest, ExtensionsAreKnownWithOrWithoutCaseAndNameTheirType)
{
    for (Hive hive : {Hive::LocalMachine, Hive::ClassesRoot}) {
        const std::string root = hive == Hive::LocalMachine ? "Software\\CLASSES\\" : "";
        EXPECT_TRUE(registry().keyExists(hive, root + ".txt"));
        EXPECT_EQ(registry().readString(hive, root + ".txt", ""), "text/plain");
        EXPECT_EQ(registry().readString(hive, root + ".TXT", ""), "text/plain");
        EXPECT_EQ(registry().readString(hive, root + ".pdf", ""), "application/pdf");
        EXPECT_EQ(registry().readString(hive, root + ".png", ""), "image/png");
        EXPECT_FALSE(registry().keyExists(hive, root + ".qqzzq-unknown"));
        EXPECT_FALSE(registry().keyExists(hive, root + "."));
        EXPECT_FALSE(registry().keyExists(hive, root + "txt"));
        // Other values than the default one are not there.
        EXPECT_EQ(registry().readString(hive, root + ".txt", "Content Type"), std::nullopt);
    }
    EXPECT_TRUE(registry().keyExists(Hive::LocalMachine, "Software\\Classes"));
    EXPECT_FALSE(registryFileWritten());
}

TEST_F(ClassesRootTest, TheDefaultIconOfAFileTypeIsAPictureOfTheIconTheme)
{
    for (const char* type : {"text/plain", "application/pdf", "image/png"}) {
        const std::string key = std::string("\\Software\\CLASSES\\") + type + "\\DefaultIcon";
        ASSERT_TRUE(registry().keyExists(Hive::LocalMachine, key)) << type;
        const std::optional<std::string> location = registry().readString(Hive::LocalMachine, key, "");
        ASSERT_TRUE(location) << type;
        ASSERT_TRUE(location->ends_with(",0")) << *location;
        const QString file = QString::fromStdString(location->substr(0, location->size() - 2));
        EXPECT_FALSE(QImage(file).isNull()) << *location;
    }
    EXPECT_FALSE(registry().keyExists(Hive::LocalMachine, "Software\\CLASSES\\no/such-type\\DefaultIcon"));
    EXPECT_FALSE(registry().keyExists(Hive::LocalMachine, "Software\\CLASSES\\txtfile\\DefaultIcon"));
}

TEST_F(ClassesRootTest, StoredKeysOfUnknownTypesStillCount)
{
    ASSERT_TRUE(registry().createKey(Hive::LocalMachine, "Software\\CLASSES\\.zzq"));
    ASSERT_TRUE(registry().writeString(Hive::LocalMachine, "Software\\CLASSES\\.zzq", "", "zzqfile"));
    EXPECT_EQ(registry().readString(Hive::LocalMachine, "Software\\CLASSES\\.zzq", ""), "zzqfile");
}

// The source units' open command is the default C++ editor's, and it starts that editor with its arguments.
TEST_F(ClassesRootTest, TheSourceUnitsOpenCommandStartsTheDefaultEditor)
{
    RecordingPrograms programs;
    EnvironmentGuard environment;
    for (const char* folder : {"config", "data/applications"})
        QDir().mkpath(programs.path(folder));
    environment.set("XDG_CONFIG_HOME", programs.path("config"));
    environment.set("XDG_CONFIG_DIRS", programs.path("config"));
    environment.set("XDG_DATA_HOME", programs.path("data"));
    environment.set("XDG_DATA_DIRS", programs.path("data"));
    ASSERT_TRUE(shareMimeDatabase(programs.path("data")));
    environment.set("PATH", programs.path("bin"));
    const std::string key = "BCBUnit\\Shell\\Open\\Command";

    EXPECT_FALSE(registry().keyExists(Hive::ClassesRoot, key));
    EXPECT_EQ(registry().readString(Hive::ClassesRoot, key, ""), std::nullopt);

    programs.add(QStringLiteral("cpp-editor"));
    QFile entry(programs.path("data/applications/cpp-editor.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Editor\nExec=cpp-editor --new \"x;y\" \"\\\\$HOME\" %F\n");
    entry.close();
    QFile list(programs.path("config/mimeapps.list"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\ntext/x-c++src=cpp-editor.desktop\n");
    list.close();

    // Opening the key, even with the right to create it, writes nothing: it is there.
    EXPECT_TRUE(registry().createKey(Hive::ClassesRoot, "bcbunit\\shell\\open\\command"));
    EXPECT_FALSE(registryFileWritten());
    const std::optional<std::string> command = registry().readString(Hive::ClassesRoot, key, "");
    ASSERT_EQ(command, "cpp-editor --new \"x;y\" \"\\$HOME\"");

    ASSERT_TRUE(platform::CommandRunner::create({})->run(*command));
    EXPECT_EQ(programs.waitForCalls(1), (std::vector<Call>{{QStringLiteral("cpp-editor"), {"--new", "x;y", "$HOME"}}}));
}

} // namespace
