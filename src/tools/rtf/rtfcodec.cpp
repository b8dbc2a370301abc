#include "tools/rtf/rtfcodec.h"

#include <QTextDocument>

#include "tools/rtf/codepage.h"
#include "tools/rtf/rtfcontent.h"
#include "tools/rtf/rtfreader.h"
#include "tools/rtf/rtfwriter.h"

namespace rtf {

Loaded load(QTextDocument& document, QByteArrayView bytes)
{
    if (const std::optional<Content> content = read(bytes)) {
        fill(document, *content);
        return Loaded::RichText;
    }
    QString text = decodePlainText(bytes);
    // Windows and old Mac line ends are line ends too; control characters (a NUL, say) are no text.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || keptInText(c))
            kept += c;
    }
    document.setPlainText(kept);
    return Loaded::PlainText;
}

QByteArray save(const QTextDocument& document)
{
    return write(describe(document));
}

} // namespace rtf
