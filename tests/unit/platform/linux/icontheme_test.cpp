#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "platform/linux/icontheme.h"

namespace {

// Two icon themes of our own in a private base folder: "child" inherits "parent"; hicolor is the last resort.
class IconThemeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        theme(QStringLiteral("child"), QStringLiteral("Inherits=parent\n"),
              {{QStringLiteral("16x16/mimetypes"), QStringLiteral("Size=16\nType=Fixed\n")},
               {QStringLiteral("48x48/mimetypes"), QStringLiteral("Size=48\n")},
               {QStringLiteral("32x32@2/mimetypes"), QStringLiteral("Size=32\nScale=2\n")},
               {QStringLiteral("scalable/mimetypes"),
                QStringLiteral("Size=64\nType=Scalable\nMinSize=8\nMaxSize=512\n")}});
        theme(QStringLiteral("parent"), {}, {{QStringLiteral("32x32/mimetypes"), QStringLiteral("Size=32\n")}});
        theme(QStringLiteral("hicolor"), {}, {{QStringLiteral("32x32/apps"), QStringLiteral("Size=32\n")}});
    }

    void theme(const QString& name, const QString& head, const std::vector<std::pair<QString, QString>>& folders)
    {
        QStringList names;
        QString sections;
        for (const auto& [folder, keys] : folders) {
            names << folder;
            sections += QStringLiteral("\n[%1]\n%2").arg(folder, keys);
        }
        write(name + QStringLiteral("/index.theme"), QStringLiteral("[Icon Theme]\nName=%1\n%2Directories=%3\n%4")
                                                         .arg(name, head, names.join(','), sections)
                                                         .toUtf8());
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        const QString file = base(name);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    void icon(const QString& name)
    {
        QDir().mkpath(QFileInfo(base(name)).path());
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(base(name)));
    }

    QString base(const QString& name = {}) const { return m_dir.path() + QStringLiteral("/icons/") + name; }

    std::optional<std::string> find(std::vector<std::string> names, int size = 32, const char* start = "child")
    {
        return platform::detail::findThemeIcon(
            names, size, start, {(m_dir.path() + "/icons").toStdString(), (m_dir.path() + "/pixmaps").toStdString()});
    }

    std::string at(const QString& name) const { return base(name).toStdString(); }

    QTemporaryDir m_dir;
};

TEST_F(IconThemeTest, TakesTheFolderNearestTheSize)
{
    icon(QStringLiteral("child/16x16/mimetypes/text-x-generic.png"));
    icon(QStringLiteral("child/48x48/mimetypes/text-x-generic.png"));
    icon(QStringLiteral("child/32x32@2/mimetypes/text-x-generic.png"));
    EXPECT_EQ(find({"text-x-generic"}), at(QStringLiteral("child/48x48/mimetypes/text-x-generic.png")));
    EXPECT_EQ(find({"text-x-generic"}, 16), at(QStringLiteral("child/16x16/mimetypes/text-x-generic.png")));
    // Within a threshold folder's reach counts as a match.
    EXPECT_EQ(find({"text-x-generic"}, 46), at(QStringLiteral("child/48x48/mimetypes/text-x-generic.png")));
}

TEST_F(IconThemeTest, ATypesOwnIconComesBeforeItsGenericOneInTheSameTheme)
{
    icon(QStringLiteral("child/48x48/mimetypes/text-x-generic.png"));
    icon(QStringLiteral("child/48x48/mimetypes/text-plain.png"));
    EXPECT_EQ(find({"text-plain", "text-x-generic"}), at(QStringLiteral("child/48x48/mimetypes/text-plain.png")));
}

TEST_F(IconThemeTest, TheThemesGenericIconComesBeforeAnInheritedOwnOne)
{
    icon(QStringLiteral("child/48x48/mimetypes/text-x-generic.png"));
    icon(QStringLiteral("parent/32x32/mimetypes/text-plain.png"));
    EXPECT_EQ(find({"text-plain", "text-x-generic"}), at(QStringLiteral("child/48x48/mimetypes/text-x-generic.png")));
}

TEST_F(IconThemeTest, InheritedThemesThenHicolorThenUnthemedPictures)
{
    icon(QStringLiteral("parent/32x32/mimetypes/image-png.png"));
    icon(QStringLiteral("hicolor/32x32/apps/only-in-hicolor.png"));
    QDir().mkpath(m_dir.path() + QStringLiteral("/pixmaps"));
    QImage pixmap(4, 4, QImage::Format_ARGB32);
    pixmap.fill(Qt::blue);
    ASSERT_TRUE(pixmap.save(m_dir.path() + QStringLiteral("/pixmaps/unthemed.xpm"), "XPM"));
    EXPECT_EQ(find({"image-png"}), at(QStringLiteral("parent/32x32/mimetypes/image-png.png")));
    EXPECT_EQ(find({"only-in-hicolor"}), at(QStringLiteral("hicolor/32x32/apps/only-in-hicolor.png")));
    EXPECT_EQ(find({"unthemed"}), (m_dir.path() + QStringLiteral("/pixmaps/unthemed.xpm")).toStdString());
    EXPECT_EQ(find({"nowhere"}), std::nullopt);
    // A theme that is not installed leaves hicolor.
    EXPECT_EQ(find({"image-png"}, 32, "missing"), std::nullopt);
    EXPECT_EQ(find({"only-in-hicolor"}, 32, "missing"), at(QStringLiteral("hicolor/32x32/apps/only-in-hicolor.png")));
}

TEST_F(IconThemeTest, PicturesNoReaderTakesDoNotCount)
{
    write(QStringLiteral("child/scalable/mimetypes/text-x-generic.svg"), "<svg/>");
    write(QStringLiteral("child/48x48/mimetypes/text-x-generic.svg"), "<svg/>");
    if (QImageReader::supportedImageFormats().contains("svg"))
        GTEST_SKIP() << "an SVG reader is installed";
    EXPECT_EQ(find({"text-x-generic"}), std::nullopt);
}

// The icons of the installed desktop theme, for the file types the program looks up.
TEST(DesktopIcons, TheInstalledThemeHasPicturesOfCommonFileTypes)
{
    for (const char* name : {"text-x-generic", "image-x-generic", "x-office-document"}) {
        const std::optional<std::string> file = platform::detail::findDesktopIcon({name}, 32);
        ASSERT_TRUE(file) << name << ": the icon theme of scripts/setup.sh is missing";
        EXPECT_FALSE(QImage(QString::fromStdString(*file)).isNull()) << *file;
    }
}

} // namespace
