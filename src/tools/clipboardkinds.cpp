#include "tools/clipboardkinds.h"

#include <QImageReader>
#include <algorithm>

namespace ClipboardKinds {
namespace {

bool isText(const QString& format)
{
    return format == QLatin1String("text/plain") || format.startsWith(QLatin1String("text/plain;"));
}

bool isBitmap(const QString& format)
{
    static const QStringList bitmaps{QStringLiteral("image/bmp"), QStringLiteral("image/x-bmp"),
                                     QStringLiteral("image/x-ms-bmp"), QStringLiteral("image/x-win-bitmap")};
    return bitmaps.contains(format, Qt::CaseInsensitive);
}

bool isMetafile(const QString& format)
{
    static const QStringList metafiles{QStringLiteral("image/wmf"), QStringLiteral("image/x-wmf"),
                                       QStringLiteral("image/emf"), QStringLiteral("image/x-emf"),
                                       QStringLiteral("windows/metafile")};
    return metafiles.contains(format, Qt::CaseInsensitive);
}

// Qt's own picture format, or any image type the installed image readers take.
bool isPicture(const QString& format)
{
    if (format == QLatin1String("application/x-qt-image"))
        return true;
    static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    return readable.contains(format.toLatin1().toLower());
}

template <class Test> bool any(const QStringList& formats, Test test)
{
    return std::any_of(formats.begin(), formats.end(), test);
}

} // namespace

QString caption(const QStringList& formats)
{
    QString result;
    if (any(formats, isText))
        result = QStringLiteral("текст");
    if (any(formats, isBitmap))
        result = QStringLiteral("BMP рисунок");
    if (any(formats, isMetafile))
        result = QStringLiteral("метафил");
    if (any(formats, isPicture))
        result = QStringLiteral("типа рисунок");
    if (formats.contains(ComponentFormat))
        result = QStringLiteral("объект");
    return result;
}

QStringList pictureFormats(const QStringList& formats)
{
    QStringList result;
    for (const QString& format : formats) {
        if (isPicture(format))
            result << format;
    }
    return result;
}

} // namespace ClipboardKinds
