// Where the program looks for its modules: beside itself, in the installed library folder, and in the build
// folder only when it runs from inside that folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/modulelibrary.h"

namespace {

struct ModuleFolderCase
{
    const char* name;
    const char* program; // the program's folder, under the test's root
    const char* build;   // the compiled-in build folder, under the test's root
    bool searchesBuild;
};

// A build folder, a test program's folder inside it, a sibling folder whose name starts alike, an installed
// layout, and a link to the build folder.
class ModuleFolders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        for (const char* folder : {"work/build/tests/gui", "work/build-other", "usr/bin"})
            ASSERT_TRUE(QDir(m_root.path()).mkpath(QString::fromLatin1(folder)));
        ASSERT_TRUE(QFile::link(path("work/build"), path("link-to-build")));
    }
    QString path(const char* relative) const { return QDir(m_root.path()).filePath(QString::fromLatin1(relative)); }

    QTemporaryDir m_root;
};

TEST_F(ModuleFolders, TheBuildFolderServesOnlyProgramsInsideIt)
{
    const ModuleFolderCase cases[] = {
        {"the program in the build folder", "work/build", "work/build", true},
        {"a test program inside the build folder", "work/build/tests/gui", "work/build", true},
        {"a folder whose name starts as the build folder's", "work/build-other", "work/build", false},
        {"the installed program", "usr/bin", "work/build", false},
        {"the build folder reached through a link", "link-to-build", "work/build", true},
        {"a build folder that does not exist here", "usr/bin", "build/on/another/machine", false},
    };
    for (const ModuleFolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString program = path(c.program);
        const QStringList folders =
            platform::detail::programModuleFolders(program, QStringLiteral("../lib/trombus"), path(c.build));
        ASSERT_GE(folders.size(), 2);
        EXPECT_EQ(folders[0], program);
        EXPECT_EQ(folders[1], QDir::cleanPath(program + QStringLiteral("/../lib/trombus")));
        if (c.searchesBuild) {
            ASSERT_EQ(folders.size(), 3);
            EXPECT_EQ(folders[2], QDir(path(c.build)).canonicalPath());
        } else {
            EXPECT_EQ(folders.size(), 2);
        }
    }
}

TEST_F(ModuleFolders, WithoutAnInstalledFolderOrABuildFolderOnlyTheProgramsOwnIsSearched)
{
    const QString program = path("usr/bin");
    EXPECT_EQ(platform::detail::programModuleFolders(program, QString(), QString()), QStringList{program});
}

} // namespace
