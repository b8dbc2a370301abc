#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

// The kinds of data the clipboard viewer names, as the clipboard's MIME types show them.
namespace ClipboardKinds {

/// The format our program registers for its own components on the clipboard.
inline const QString ComponentFormat = QStringLiteral("application/x-trombus-component");

/// The caption of the last kind present, the kinds tested in the order text, bitmap, metafile, picture,
/// component; empty when none is present. A bitmap is also a picture, so it ends as "типа рисунок".
QString caption(const QStringList& formats);

/// The formats the picture class reads, in the clipboard's own order.
QStringList pictureFormats(const QStringList& formats);

} // namespace ClipboardKinds
