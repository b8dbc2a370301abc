#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// The notepad's file format: what a file's bytes show, and the bytes a text is saved as.
namespace rtf {

enum class Loaded
{
    RichText,
    PlainText,
};

/// Replaces the document's text with the file's: rich text when the bytes are rich text, otherwise plain
/// text (UTF-8 when valid, else Windows-1251) with its lines as they are and no formatting of its own.
Loaded load(QTextDocument& document, QByteArrayView bytes);

/// The document as rich text, whatever it was loaded from.
QByteArray save(const QTextDocument& document);

} // namespace rtf
