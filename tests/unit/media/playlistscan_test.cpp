#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "media/playlistscan.h"

namespace {

class PlaylistScanTest : public testing::Test
{
protected:
    void touch(const QString& name)
    {
        QFile file(QDir(folder.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir folder;
};

TEST_F(PlaylistScanTest, NamesComeInMaskOrderNotNameOrder)
{
    for (const char* name : {"b.wav", "a.mp3", "c.avi"})
        touch(QString::fromLatin1(name));
    const PlaylistScan scan = scanFolder(folder.path());
    EXPECT_EQ(scan.names, QStringList({"a.mp3", "c.avi", "b.wav"}));
    EXPECT_TRUE(scan.video);
}

TEST_F(PlaylistScanTest, EveryMaskInItsTurnAndNothingElse)
{
    for (const char* name :
         {"6.mpg", "5.cda", "4.mid", "3.wav", "2.avi", "1.mp3", "notes.txt", "x.mp3.bak", "song.MP3", ".hidden.wav"})
        touch(QString::fromUtf8(name));
    const PlaylistScan scan = scanFolder(folder.path());
    QStringList mp3 = scan.names.mid(0, 2);
    mp3.sort();
    EXPECT_EQ(mp3, QStringList({"1.mp3", "song.MP3"}));
    QStringList wav = scan.names.mid(3, 2);
    wav.sort();
    EXPECT_EQ(scan.names.at(2), "2.avi");
    EXPECT_EQ(wav, QStringList({".hidden.wav", "3.wav"}));
    EXPECT_EQ(scan.names.mid(5), QStringList({"4.mid", "5.cda", "6.mpg"}));
}

TEST_F(PlaylistScanTest, MatchingFoldersAreListedAndNotSearched)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath("album.mp3/inner"));
    QFile inner(QDir(folder.path()).filePath("album.mp3/inner/deep.wav"));
    ASSERT_TRUE(inner.open(QIODevice::WriteOnly));
    touch("русская песня.wav");
    const PlaylistScan scan = scanFolder(folder.path());
    EXPECT_EQ(scan.names, QStringList({"album.mp3", "русская песня.wav"}));
    EXPECT_FALSE(scan.video);
}

TEST_F(PlaylistScanTest, AFolderWithoutMediaOrMissingGivesNothing)
{
    touch("readme.txt");
    EXPECT_TRUE(scanFolder(folder.path()).names.isEmpty());
    EXPECT_TRUE(scanFolder(QDir(folder.path()).filePath("gone")).names.isEmpty());
}

TEST(MaskMatch, IgnoresLetterCaseOnly)
{
    EXPECT_TRUE(matchesMask("A.Mp3", "*.mp3"));
    EXPECT_TRUE(matchesMask(".mp3", "*.mp3"));
    EXPECT_FALSE(matchesMask("a.mp33", "*.mp3"));
    EXPECT_FALSE(matchesMask("amp3", "*.mp3"));
}

} // namespace
