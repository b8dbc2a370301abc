// Any bytes may stand in a file the notepad opens. Opening must end without fault, and what it showed must
// come back unchanged through a save and a second open: the text, the paragraphs' alignment and every
// character format.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

#include "tools/rtf/rtfcodec.h"
#include "tools/rtf/rtfcontent.h"
#include "tools/rtf/rtfreader.h"

namespace {

QStringList paragraphTexts(const rtf::Content& content)
{
    QStringList texts;
    for (const rtf::Paragraph& paragraph : content.paragraphs) {
        QString text;
        for (const rtf::Run& run : paragraph.runs)
            text += run.text;
        texts << text;
    }
    return texts;
}

QFont defaultFont()
{
    return QFont(QStringLiteral("DejaVu Sans"), 10);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Fonts need an application object; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QTextDocument shown;
    shown.setDefaultFont(defaultFont());
    const rtf::Loaded kind = rtf::load(shown, bytes);
    const rtf::Content first = rtf::describe(shown);

    // The document holds the text exactly as the reader read it.
    if (kind == rtf::Loaded::RichText) {
        const std::optional<rtf::Content> read = rtf::read(bytes);
        if (!read || paragraphTexts(*read) != paragraphTexts(first))
            std::abort();
    }

    QTextDocument reopened;
    reopened.setDefaultFont(defaultFont());
    if (rtf::load(reopened, rtf::save(shown)) != rtf::Loaded::RichText)
        std::abort();
    if (!(rtf::describe(reopened) == first))
        std::abort();
    return 0;
}
