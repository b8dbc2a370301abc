#include "platform/iconextractor.h"

#include <QImage>
#include <QImageReader>

namespace platform {
namespace {

constexpr int kLargeIconSize = 32;

// Any picture file an image reader takes; an icon file with several pictures gives the one at the index.
// Negative indexes name resources of Windows programs, which no file here has.
class ImageFileIconExtractor final : public IconExtractor
{
public:
    std::optional<IconPicture> extract(const std::string& fileName, int index) override
    {
        if (index < 0 || fileName.empty())
            return std::nullopt;
        QImageReader reader(QString::fromStdString(fileName));
        if (index > 0 && !reader.jumpToImage(index))
            return std::nullopt;
        QImage image = reader.read();
        if (image.isNull())
            return std::nullopt;
        if (image.width() != kLargeIconSize || image.height() != kLargeIconSize)
            image = image.scaled(kLargeIconSize, kLargeIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image = image.convertToFormat(QImage::Format_ARGB32);
        IconPicture picture;
        picture.width = image.width();
        picture.height = image.height();
        picture.pixels.reserve(std::size_t(picture.width) * std::size_t(picture.height));
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            picture.pixels.insert(picture.pixels.end(), row, row + image.width());
        }
        return picture;
    }
};

} // namespace

std::shared_ptr<IconExtractor> IconExtractor::create(const Context&)
{
    return std::make_shared<ImageFileIconExtractor>();
}

} // namespace platform
