// Any bytes may stand in a file the notepad opens. Opening must end without fault, and what it showed must
// come back unchanged through a save and a second open: the text, the paragraphs' alignment, indents, spacing,
// tab stops, lists and page breaks, every character format with links and scripts, tables with their cells,
// pictures, and the groups of the file carried along unseen.
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

// Paragraph texts without empty ones: a document holds an empty paragraph before a table at its start, after
// one at its end and between two tables, where the file may have none.
QStringList filledTexts(const rtf::Content& content)
{
    QStringList texts = paragraphTexts(content);
    if (!content.tables.empty())
        texts.removeAll(QString());
    return texts;
}

// The file's font and colour tables: the writer adds its own typefaces and colours to them.
rtf::Content withoutTables(rtf::Content content)
{
    content.fontEntries.clear();
    content.fontCount = 0;
    content.defaultFont = 0;
    content.cyrillicFonts.clear();
    content.colors.clear();
    return content;
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
        if (!read || filledTexts(*read) != filledTexts(first))
            std::abort();
    }

    QTextDocument reopened;
    reopened.setDefaultFont(defaultFont());
    if (rtf::load(reopened, rtf::save(shown)) != rtf::Loaded::RichText)
        std::abort();
    if (!(withoutTables(rtf::describe(reopened)) == withoutTables(first)))
        std::abort();
    return 0;
}
