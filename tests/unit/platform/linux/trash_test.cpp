#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/trash.h"
#include "support/unremovablefile.h"

namespace {

// A private data home and two private volume roots, with trashed items made as a file manager makes them.
class TrashTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        for (const char* folder : {"data/Trash/files", "data/Trash/info", "volume", "other", "outside"})
            ASSERT_TRUE(QDir().mkpath(path(folder)));
    }

    QString path(const QString& name) const { return QDir(m_root.path()).filePath(name); }
    std::string dataHome() const { return path(QStringLiteral("data")).toStdString(); }
    std::vector<std::string> volumes() const
    {
        return {path(QStringLiteral("volume")).toStdString(), path(QStringLiteral("other")).toStdString()};
    }

    static void writeFile(const QString& file, const QByteArray& bytes = "x")
    {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // A trashed item: its entry under files/ and its description under info/.
    void trash(const QString& trashFolder, const QString& name, bool folder = false)
    {
        const QString item = trashFolder + QStringLiteral("/files/") + name;
        if (folder) {
            writeFile(item + QStringLiteral("/inner/deep.txt"));
        } else {
            writeFile(item);
        }
        writeFile(trashFolder + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"),
                  "[Trash Info]\nPath=/home/u/" + name.toUtf8() + "\nDeletionDate=2024-01-01T10:00:00\n");
    }

    QStringList entries(const QString& folder) const
    {
        return QDir(path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_root;
};

TEST_F(TrashTest, EmptiesTheHomeTrashKeepingItsFolders)
{
    const QString home = path(QStringLiteral("data/Trash"));
    trash(home, QStringLiteral("letter.txt"));
    trash(home, QStringLiteral("old photos"), true);
    trash(home, QStringLiteral(".hidden"));
    writeFile(home + QStringLiteral("/files/no description"));
    writeFile(home + QStringLiteral("/info/gone.trashinfo"), "[Trash Info]\n");
    writeFile(home + QStringLiteral("/directorysizes"), "1 2 b2xk\n");

    EXPECT_TRUE(platform::detail::freedesktopTrash(dataHome(), {})->empty());
    EXPECT_EQ(entries(QStringLiteral("data/Trash/files")), QStringList());
    EXPECT_EQ(entries(QStringLiteral("data/Trash/info")), QStringList());
    EXPECT_EQ(entries(QStringLiteral("data/Trash")), (QStringList{"files", "info"}));
}

TEST_F(TrashTest, AnEmptyOrMissingTrashEmptiesSuccessfully)
{
    EXPECT_TRUE(platform::detail::freedesktopTrash(dataHome(), volumes())->empty());
    EXPECT_TRUE(platform::detail::freedesktopTrash(path(QStringLiteral("nowhere")).toStdString(), {})->empty());
}

TEST_F(TrashTest, ALinkInTheTrashGoesButNotWhatItPointsAt)
{
    writeFile(path(QStringLiteral("outside/keep.txt")));
    const QString home = path(QStringLiteral("data/Trash"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside")), home + QStringLiteral("/files/link")));
    writeFile(home + QStringLiteral("/info/link.trashinfo"), "[Trash Info]\n");

    EXPECT_TRUE(platform::detail::freedesktopTrash(dataHome(), {})->empty());
    EXPECT_EQ(entries(QStringLiteral("data/Trash/files")), QStringList());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("outside/keep.txt"))));
}

TEST_F(TrashTest, AFilesFolderThatIsALinkIsNeverFollowed)
{
    writeFile(path(QStringLiteral("outside/keep.txt")));
    const QString home = path(QStringLiteral("data/Trash"));
    ASSERT_TRUE(QDir(home + QStringLiteral("/files")).removeRecursively());
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside")), home + QStringLiteral("/files")));

    EXPECT_FALSE(platform::detail::freedesktopTrash(dataHome(), {})->empty());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("outside/keep.txt"))));
}

TEST_F(TrashTest, VolumeTrashesOfTheUserAreEmptiedToo)
{
    const QString id = QString::number(::geteuid());
    const QString own = path(QStringLiteral("volume/.Trash-") + id);
    trash(own, QStringLiteral("film.mkv"));
    // The shared form: a sticky ".Trash" with a folder per user.
    const QString shared = path(QStringLiteral("other/.Trash"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    trash(shared + QLatin1Char('/') + id, QStringLiteral("song.mp3"));

    const std::vector<std::string> folders = platform::detail::trashFolders(dataHome(), volumes(), ::geteuid());
    EXPECT_EQ(folders.size(), 3u);
    EXPECT_TRUE(platform::detail::emptyTrashFolders(folders));
    EXPECT_EQ(entries(QStringLiteral("volume/.Trash-") + id + QStringLiteral("/files")), QStringList());
    EXPECT_EQ(entries(QStringLiteral("other/.Trash/") + id + QStringLiteral("/files")), QStringList());
}

TEST_F(TrashTest, TrashesThatAreNotTheUsersAreLeftAlone)
{
    const QString id = QString::number(::geteuid());
    // A shared ".Trash" without the sticky bit may be anyone's: not used.
    const QString shared = path(QStringLiteral("other/.Trash"));
    trash(shared + QLatin1Char('/') + id, QStringLiteral("song.mp3"));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0777), 0);
    // Another user's numbered trash, and a link posing as ours.
    trash(path(QStringLiteral("volume/.Trash-") + QString::number(::geteuid() + 1)), QStringLiteral("theirs"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside")), path(QStringLiteral("volume/.Trash-") + id)));

    const std::vector<std::string> folders = platform::detail::trashFolders(dataHome(), volumes(), ::geteuid());
    EXPECT_EQ(folders, std::vector<std::string>{path(QStringLiteral("data/Trash")).toStdString()});
}

TEST_F(TrashTest, AFolderOfAnotherOwnerIsNotTheUsers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a folder away";
    const QString foreign = path(QStringLiteral("volume/.Trash-0"));
    trash(foreign, QStringLiteral("x"));
    ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 4242, 4242), 0);
    EXPECT_EQ(platform::detail::trashFolders(dataHome(), volumes(), 0).size(), 1u);
}

TEST_F(TrashTest, AnItemThatCannotBeRemovedFailsTheEmptyingAndStaysListed)
{
    const QString home = path(QStringLiteral("data/Trash"));
    trash(home, QStringLiteral("stuck"), true);
    trash(home, QStringLiteral("free.txt"));
    UnremovableFile stuck((home + QStringLiteral("/files/stuck/inner/deep.txt")).toStdString());
    if (!stuck.active())
        GTEST_SKIP() << "this file system cannot keep a file from its owner";

    EXPECT_FALSE(platform::detail::freedesktopTrash(dataHome(), {})->empty());
    EXPECT_EQ(entries(QStringLiteral("data/Trash/files")), QStringList{"stuck"});
    EXPECT_EQ(entries(QStringLiteral("data/Trash/info")), QStringList{"stuck.trashinfo"});
}

} // namespace
