#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "platform/iconextractor.h"

namespace {

class IconExtractorTest : public testing::Test
{
protected:
    QString picture(const QString& name, int width, int height, QRgb colour)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(colour);
        const QString file = m_dir.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(file));
        return file;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<platform::IconExtractor> extractor = platform::IconExtractor::create({});
};

TEST_F(IconExtractorTest, GivesAPictureFileAtTheLargeIconSize)
{
    const auto icon = extractor->extract(picture(QStringLiteral("big.png"), 48, 48, 0x80FF0000).toStdString(), 0);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    ASSERT_EQ(icon->pixels.size(), 32u * 32u);
    EXPECT_EQ(icon->pixels[16 * 32 + 16], 0x80FF0000u);
    const auto small = extractor->extract(picture(QStringLiteral("small.png"), 32, 32, 0xFF00FF00).toStdString(), 0);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->pixels.front(), 0xFF00FF00u);
}

TEST_F(IconExtractorTest, GivesNothingWhereTheFileHasNoSuchIcon)
{
    const std::string file = picture(QStringLiteral("one.png"), 32, 32, 0xFF0000FF).toStdString();
    EXPECT_FALSE(extractor->extract(file, 1));
    EXPECT_FALSE(extractor->extract(file, -2));
    EXPECT_FALSE(extractor->extract((m_dir.path() + QStringLiteral("/missing.png")).toStdString(), 0));
    EXPECT_FALSE(extractor->extract("", 0));
    EXPECT_FALSE(extractor->extract("%SystemRoot%\\system32\\shell32.dll", 3));
}

} // namespace
