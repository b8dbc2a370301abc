#include "tools/notepad.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStyle>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/errors.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "tools/rtf/rtfcodec.h"
#include "tools/rtf/rtfcontent.h"
#include "tools/rtf/rtfwriter.h"
#include "ui_NotepadGroup.h"

namespace {

class PrinterError final : public TrombusError
{
public:
    using TrombusError::TrombusError;
};

enum class Picture
{
    Print,
    Printer,
    Font,
    Background,
};

// Small drawn pictures for the buttons the style has no picture for.
QIcon drawnIcon(Picture picture, const QPalette& palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 1));
    switch (picture) {
    case Picture::Print:
    case Picture::Printer:
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4.5, 1.5, 7, 5)); // the sheet
        painter.setBrush(QColor(160, 160, 160));
        painter.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1); // the body
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4.5, 10.5, 7, 4)); // the output
        if (picture == Picture::Printer) {
            painter.setBrush(QColor(0, 128, 0));
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QRectF(11, 0, 5, 5));
        }
        break;
    case Picture::Font: {
        QFont font(QStringLiteral("Serif"));
        font.setPixelSize(15);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case Picture::Background: {
        QLinearGradient gradient(0, 0, 16, 16);
        gradient.setColorAt(0, QColor(255, 64, 64));
        gradient.setColorAt(0.5, QColor(64, 200, 64));
        gradient.setColorAt(1, QColor(64, 64, 255));
        painter.setBrush(gradient);
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
        break;
    }
    }
    return QIcon(pixmap);
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

const QString Notepad::FileFilter =
    QStringLiteral("Все филы|*.*|ТыХту|*.txt|документ|*.doc|ратоэф|*.rtf|Тромбус|*.ZQ5");

Notepad::Notepad(Ui::NotepadGroup& form, Shell& shell, QObject* parent)
    : QObject(parent), m_form(form), m_shell(shell), m_dialogFont(QStringLiteral("MS Sans Serif"), 8),
      m_dialogColor(QApplication::palette().color(QPalette::WindowText))
{
    setPictures();
    buildPopupMenu();
    connectGuarded(m_form.SpeedButton10, &QToolButton::clicked, this, &Notepad::SpeedButton10Click);
    connectGuarded(m_form.SpeedButton11, &QToolButton::clicked, this, &Notepad::SpeedButton11Click);
    connectGuarded(m_form.SpeedButton12, &QToolButton::clicked, this, &Notepad::SpeedButton12Click);
    connectGuarded(m_form.SpeedButton13, &QToolButton::clicked, this, &Notepad::SpeedButton13Click);
    connectGuarded(m_form.SpeedButton14, &QToolButton::clicked, this, &Notepad::SpeedButton14Click);
    connectGuarded(m_form.SpeedButton15, &QToolButton::clicked, this, &Notepad::SpeedButton15Click);
    connectGuarded(m_form.SpeedButton18, &QToolButton::clicked, this, &Notepad::SpeedButton18Click);
    MouseHandlers::onMouseMove(m_form.GroupBox4, guarded([this](QMouseEvent*) { GroupBox4MouseMove(); }));
}

Notepad::~Notepad() = default;

void Notepad::setPictures()
{
    const QStyle* style = m_form.GroupBox4->style();
    const QPalette palette = m_form.GroupBox4->palette();
    m_form.SpeedButton10->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    m_form.SpeedButton11->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    m_form.SpeedButton12->setIcon(style->standardIcon(QStyle::SP_DialogResetButton));
    m_form.SpeedButton15->setIcon(drawnIcon(Picture::Print, palette));
    m_form.SpeedButton18->setIcon(drawnIcon(Picture::Printer, palette));
    m_form.SpeedButton14->setIcon(drawnIcon(Picture::Font, palette));
    m_form.SpeedButton13->setIcon(drawnIcon(Picture::Background, palette));
}

void Notepad::buildPopupMenu()
{
    m_popupMenu = new QMenu(m_form.RichEdit1);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu3"));
    const auto item = [this](const char* name, const QString& caption, void (Notepad::*handler)()) {
        QAction* action = m_popupMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connectGuarded(action, &QAction::triggered, this, handler);
    };
    item("N18", QStringLiteral("открыть"), &Notepad::N18Click);
    item("N19", QStringLiteral("сохранить"), &Notepad::N19Click);
    item("N20", QStringLiteral("шрифт"), &Notepad::N20Click);
    item("N22", QStringLiteral("печать"), &Notepad::N22Click);
    item("N21", QStringLiteral("очистить"), &Notepad::N21Click);
    connect(m_form.RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        m_popupMenu->popup(m_form.RichEdit1->viewport()->mapToGlobal(position));
    });
}

void Notepad::SpeedButton10Click()
{
    const std::optional<QString> path = Dialogs::openFile(QString(), FileFilter, Dialogs::FileOptions{{}, 1});
    if (!path)
        return;
    loadFile(*path);
    m_form.RichEdit1->setFocus();
}

// The whole file is read before the text changes, so a file that cannot be read leaves the text as it was.
void Notepad::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file %1").arg(nativePath(path)));
    if (file.size() > MaxFileSize)
        throw FileError(QStringLiteral("Failed to Load Stream"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Failed to Load Stream"));
    rtf::load(*m_form.RichEdit1->document(), bytes);
}

void Notepad::SpeedButton11Click()
{
    // The dialog starts without a name; a name still empty afterwards means the user cancelled.
    const QString fileName =
        Dialogs::saveFile(QString(), FileFilter, Dialogs::FileOptions{{}, 0, false}).value_or(QString());
    if (fileName.isEmpty()) {
        m_shell.showErrorIndicator();
        return;
    }
    saveFile(fileName);
}

// A new file takes the old one's place only once it is written whole, so a failed save leaves the old file.
void Notepad::saveFile(const QString& path)
{
    rtf::Content content = rtf::describe(*m_form.RichEdit1->document());
    if (m_chosenTextColor.isValid()) {
        for (rtf::Paragraph& paragraph : content.paragraphs) {
            for (rtf::Run& run : paragraph.runs) {
                if (!run.format.foreground.isValid())
                    run.format.foreground = m_chosenTextColor;
            }
        }
    }
    const QByteArray bytes = rtf::write(content);
    QSaveFile file(path);
    // Unbuffered: a buffered write is flushed only by commit(), which misses a full disk and keeps the cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(QStringLiteral("Cannot create file %1").arg(nativePath(path)));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FileError(QStringLiteral("Failed to Save Stream"));
}

void Notepad::SpeedButton12Click()
{
    m_form.RichEdit1->clear();
}

void Notepad::SpeedButton13Click()
{
    QTextEdit* edit = m_form.RichEdit1;
    if (const std::optional<QColor> chosen = Dialogs::chooseColor(Dialogs::lastChosenColor())) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, *chosen);
        edit->setPalette(palette);
    }
}

// Everything but the typeface comes from the dialog, in the order colour, size, style, pitch.
void Notepad::SpeedButton14Click()
{
    const std::optional<Dialogs::FontChoice> chosen = Dialogs::chooseFontAndColor(m_dialogFont, m_dialogColor);
    if (!chosen)
        return;
    m_dialogFont = chosen->font;
    m_dialogColor = chosen->color;

    QTextEdit* edit = m_form.RichEdit1;
    if (chosen->color.isValid()) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, chosen->color);
        edit->setPalette(palette);
        m_chosenTextColor = chosen->color;
    }
    QFont font = edit->font();
    if (chosen->font.pointSizeF() > 0)
        font.setPointSizeF(chosen->font.pointSizeF());
    else if (chosen->font.pixelSize() > 0)
        font.setPixelSize(chosen->font.pixelSize());
    font.setWeight(chosen->font.weight());
    font.setItalic(chosen->font.italic());
    font.setUnderline(chosen->font.underline());
    font.setStrikeOut(chosen->font.strikeOut());
    font.setFixedPitch(chosen->font.fixedPitch());
    edit->setFont(font);

    // A rich-text file brings sizes and styles of its own, which win over the edit's font; the chosen ones are
    // laid over the whole text and what is typed next, as they show on text that has none.
    QTextCharFormat chosenFormat;
    if (font.pixelSize() > 0)
        chosenFormat.setProperty(QTextFormat::FontPixelSize, font.pixelSize());
    else
        chosenFormat.setFontPointSize(font.pointSizeF());
    chosenFormat.setFontWeight(font.weight());
    chosenFormat.setFontItalic(font.italic());
    chosenFormat.setFontUnderline(font.underline());
    chosenFormat.setFontStrikeOut(font.strikeOut());
    chosenFormat.setFontFixedPitch(font.fixedPitch());
    QTextCursor whole(edit->document());
    whole.select(QTextCursor::Document);
    whole.mergeCharFormat(chosenFormat);
    edit->mergeCurrentCharFormat(chosenFormat);
}

QStringList Notepad::shownLines() const
{
    QStringList lines;
    const QTextDocument* document = m_form.RichEdit1->document();
    document->documentLayout(); // lays the text out as the edit shows it, if it has not been yet
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << text;
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << text.mid(line.textStart(), line.textLength()).remove(QChar(QChar::LineSeparator));
        }
    }
    return lines;
}

// Line i goes to x = 200, y = 200 + i·h in the printer's units, h being the height of a line in the printer
// font; all on one page, in the text's font and colour on its background colour, without the formatting
// inside the text.
void Notepad::SpeedButton15Click()
{
    QTextEdit* edit = m_form.RichEdit1;
    if (edit->document()->isEmpty()) {
        m_shell.showErrorIndicator();
        return;
    }
    const QStringList lines = shownLines();
    QPainter painter;
    if (!painter.begin(&printer()))
        throw PrinterError(QStringLiteral("There is no default printer currently selected"));
    painter.setFont(QFont(edit->font(), &printer()));
    painter.setPen(edit->palette().color(QPalette::Text));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(edit->palette().color(QPalette::Base));
    const QFontMetrics metrics = painter.fontMetrics();
    int y = 200;
    for (const QString& line : lines) {
        painter.drawText(QPoint(200, y + metrics.ascent()), line);
        y += metrics.height();
    }
    painter.end();
}

// The setup dialog chooses the printer for later prints; the print dialog after it works on a printer of its
// own, so what is chosen there is not used.
void Notepad::SpeedButton18Click()
{
    QPrintDialog setup(&printer(), Dialogs::boxParent());
    setup.setWindowTitle(QStringLiteral("Настройка печати"));
    setup.setOptions(QAbstractPrintDialog::PrintToFile);
    setup.exec();
    QPrinter scratch(QPrinter::HighResolution);
    QPrintDialog print(&scratch, Dialogs::boxParent());
    print.exec();
}

QPrinter& Notepad::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void Notepad::N18Click()
{
    SpeedButton10Click();
}

void Notepad::N19Click()
{
    SpeedButton11Click();
}

void Notepad::N20Click()
{
    SpeedButton14Click();
}

void Notepad::N21Click()
{
    SpeedButton12Click();
}

void Notepad::N22Click()
{
    SpeedButton15Click();
}

void Notepad::GroupBox4MouseMove()
{
    m_shell.hideErrorIndicator();
}
