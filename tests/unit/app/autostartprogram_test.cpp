#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/autostartprogram.h"

namespace {

// Real files and links in a private folder: an installation under a prefix that is itself a link, and a build
// folder beside it.
class AutostartProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("opt/trombus-0.1/bin")));
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("build")));
        ASSERT_TRUE(QFile::link(path("opt/trombus-0.1"), path("opt/trombus")));
        for (const char* file : {"opt/trombus-0.1/bin/trombus", "build/trombus"}) {
            QFile program(path(file));
            ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        }
    }

    QString path(const char* relative) const { return m_root.filePath(QString::fromLatin1(relative)); }

    QTemporaryDir m_root;
};

TEST_F(AutostartProgramTest, TheInstalledProgramIsNamedAsInstalledNotAsTheLinksResolve)
{
    // The running file's path comes resolved, as the system reports it.
    const QString running = path("opt/trombus-0.1/bin/trombus");
    EXPECT_EQ(autostartProgram(running, {path("usr/bin/trombus"), path("opt/trombus/bin/trombus")}),
              path("opt/trombus/bin/trombus"));
}

TEST_F(AutostartProgramTest, TheInstalledPathItselfStaysAsItIs)
{
    const QString installed = path("opt/trombus-0.1/bin/trombus");
    EXPECT_EQ(autostartProgram(installed, {installed}), installed);
}

TEST_F(AutostartProgramTest, ABuildFoldersCopyNamesItself)
{
    const QString build = path("build/trombus");
    EXPECT_EQ(autostartProgram(build, {path("opt/trombus/bin/trombus")}), build);
}

TEST_F(AutostartProgramTest, ABuildFoldersCopyNamesItselfWhenNoInstallationExists)
{
    const QString build = path("build/trombus");
    EXPECT_EQ(autostartProgram(build, {path("usr/bin/trombus"), path("usr/local/bin/trombus")}), build);
    EXPECT_EQ(autostartProgram(build, {}), build);
}

TEST_F(AutostartProgramTest, ARunningFileThatIsGoneIsKeptAsReported)
{
    const QString gone = path("opt/trombus-0.1/bin/trombus (deleted)");
    EXPECT_EQ(autostartProgram(gone, {path("opt/trombus/bin/trombus")}), gone);
}

TEST(InstalledProgramPathsTest, NameTheProgramUnderBothPrefixesOnce)
{
    QStringList paths = installedProgramPaths();
    ASSERT_FALSE(paths.isEmpty());
    EXPECT_EQ(paths.removeDuplicates(), 0);
    for (const QString& path : paths) {
        EXPECT_TRUE(QDir::isAbsolutePath(path)) << path.toStdString();
        EXPECT_TRUE(path.endsWith(QStringLiteral("/bin/trombus"))) << path.toStdString();
    }
    EXPECT_TRUE(paths.contains(QStringLiteral("/usr/bin/trombus")));
}

} // namespace
