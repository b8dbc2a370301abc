#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

#include "app/tapplication.h"
#include "forms/notepadgroup.h"
#include "modalboxcloser.h"
#include "testworld.h"
#include "tools/notepad.h"
#include "tools/rtf/rtfcontent.h"
#include "ui_HelpPage.h"
#include "ui_NotepadGroup.h"

namespace {

struct NotepadWorld
{
    NotepadWorld()
    {
        started = world.start();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
    }
    bool started = false;
    Ui::NotepadGroup& form() { return world.helpPage().NotepadPanel->form(); }
    QTextEdit* edit() { return form().RichEdit1; }
    Notepad& notepad() { return world.features().notepad(); }
    QString path(const QString& name) const { return QDir(files.path()).filePath(name); }

    void answerPath(const QString& path)
    {
        Dialogs::Reply reply;
        reply.path = path;
        world.dialogs.answerNext(reply);
    }
    void save(const QString& path)
    {
        answerPath(path);
        QTest::mouseClick(form().SpeedButton11, Qt::LeftButton);
    }
    void open(const QString& path)
    {
        answerPath(path);
        QTest::mouseClick(form().SpeedButton10, Qt::LeftButton);
    }
    // Some text with what a user can give it: sizes, styles, colours, alignment, Cyrillic and beyond.
    void typeFormattedText()
    {
        edit()->setFocus();
        edit()->insertPlainText(QStringLiteral("Привет, "));
        QTextCursor cursor = edit()->textCursor();
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(18);
        bold.setForeground(QColor(0, 128, 255));
        cursor.insertText(QStringLiteral("мир"), bold);
        QTextCharFormat struck;
        struck.setFontStrikeOut(true);
        struck.setFontUnderline(true);
        struck.setFontItalic(true);
        struck.setBackground(Qt::yellow);
        cursor.insertText(QStringLiteral(" и € 中"), struck);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.insertBlock(centred);
        cursor.insertText(QStringLiteral("вторая строка"), QTextCharFormat());
    }
    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir files;
    TestWorld world;
};

// Words of a PDF page with their boxes, in points from the top-left corner, as poppler's pdftotext sees them.
struct Word
{
    QString text;
    double xMin, yMin, xMax, yMax;
};

QList<Word> pdfWords(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        words.append({match.captured(5), match.captured(1).toDouble(), match.captured(2).toDouble(),
                      match.captured(3).toDouble(), match.captured(4).toDouble()});
    }
    return words;
}

} // namespace

class NotepadTest : public QObject
{
    Q_OBJECT

private slots:
    void savedTextOpensAgainAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("rtf") << QStringLiteral("note.rtf");
        QTest::newRow("txt is rich text too") << QStringLiteral("note.txt");
        QTest::newRow("no extension") << QStringLiteral("note");
    }
    void savedTextOpensAgainAsItWas()
    {
        QFETCH(QString, name);
        NotepadWorld run;
        QVERIFY(run.started);
        run.typeFormattedText();
        const rtf::Content typed = rtf::describe(*run.edit()->document());
        run.save(run.path(name));
        QVERIFY(run.fileBytes(run.path(name)).startsWith("{\\rtf1"));
        QCOMPARE(QDir(run.files.path()).entryList(QDir::Files), QStringList{name});

        QTest::mouseClick(run.form().SpeedButton12, Qt::LeftButton);
        QVERIFY(run.edit()->document()->isEmpty());
        run.open(run.path(name));
        QVERIFY(rtf::describe(*run.edit()->document()) == typed);
        QCOMPARE(run.edit()->toPlainText(), QStringLiteral("Привет, мир и € 中\nвторая строка"));
        QVERIFY(run.edit()->hasFocus());
        QVERIFY(run.world.dialogs.errors().isEmpty());
    }

    void dialogsOfferTheFilterWithTheirOwnEntryChosen()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        run.world.dialogs.clear();
        run.world.dialogs.answerNo();
        QTest::mouseClick(run.form().SpeedButton10, Qt::LeftButton);
        run.world.dialogs.answerNo();
        QTest::mouseClick(run.form().SpeedButton11, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.requests.size(), 2);
        const Dialogs::Request open = run.world.dialogs.requests[0];
        const Dialogs::Request save = run.world.dialogs.requests[1];
        QCOMPARE(open.kind, Dialogs::Kind::OpenFile);
        QCOMPARE(open.filter, QStringLiteral("Все филы|*.*|ТыХту|*.txt|документ|*.doc|ратоэф|*.rtf|Тромбус|*.ZQ5"));
        QCOMPARE(open.filterIndex, 1);
        QCOMPARE(save.kind, Dialogs::Kind::SaveFile);
        QCOMPARE(save.filter, open.filter);
        QCOMPARE(save.filterIndex, 0);
        QVERIFY(!save.confirmOverwrite);
    }

    void existingFileIsReplacedWithoutAQuestion()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        QFile old(run.path(QStringLiteral("old.rtf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
        old.close();
        run.edit()->insertPlainText(QStringLiteral("новое"));
        run.save(old.fileName());
        QVERIFY(run.world.dialogs.questions().isEmpty());
        const QByteArray saved = run.fileBytes(old.fileName());
        QVERIFY(saved.startsWith("{\\rtf1"));
        QVERIFY(!saved.contains("xxx"));
    }

    void cancelledSaveShowsTheErrorIndicatorAndWritesNothing()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        run.edit()->insertPlainText(QStringLiteral("текст"));
        QVERIFY(!run.world.ui().ErroR->isVisible());
        run.world.dialogs.answerNo();
        QTest::mouseClick(run.form().SpeedButton11, Qt::LeftButton);
        QVERIFY(run.world.ui().ErroR->isVisible());
        QVERIFY(QDir(run.files.path()).isEmpty());
        // Moving the mouse over the group hides it again.
        QTest::mouseMove(run.form().GroupBox4, QPoint(200, 8));
        QTRY_VERIFY(!run.world.ui().ErroR->isVisible());
    }

    void plainTextFileShowsItsLinesUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("первая\nвторая\n\tтретья") << QStringLiteral("первая\nвторая\n\tтретья");
        QTest::newRow("cp1251 with windows lines")
            << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r\n{\\b not rtf}") << QStringLiteral("Привет\n{\\b not rtf}");
        const QString text = QStringLiteral("Привет\r\nмир");
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << QStringLiteral("Привет\nмир");
        QByteArray littleEndian("\xFF\xFE");
        QByteArray bigEndian("\xFE\xFF");
        for (const QChar c : text) {
            littleEndian += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
            bigEndian += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
        }
        QTest::newRow("utf-16 little-endian with mark") << littleEndian << QStringLiteral("Привет\nмир");
        QTest::newRow("utf-16 big-endian with mark") << bigEndian << QStringLiteral("Привет\nмир");
    }
    void plainTextFileShowsItsLinesUnchanged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        NotepadWorld run;
        QVERIFY(run.started);
        QFile file(run.path(QStringLiteral("plain.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        run.open(file.fileName());
        QCOMPARE(run.edit()->toPlainText(), shown);
    }

    // Failures reach the default error report with the file's name, and the text stays as it was.
    void failuresAreReportedAndTheTextKept_data()
    {
        QTest::addColumn<QString>("action"); // "open" or "save"
        QTest::addColumn<QString>("target"); // relative to the test's folder
        QTest::addColumn<QString>("error");  // %1 is the full path
        QTest::newRow("missing file") << "open"
                                      << "missing.rtf"
                                      << "Cannot open file %1.";
        QTest::newRow("folder") << "open"
                                << "folder"
                                << "Cannot open file %1.";
        QTest::newRow("file too big") << "open"
                                      << "huge.rtf"
                                      << "Failed to Load Stream.";
        QTest::newRow("missing folder") << "save"
                                        << "nowhere/note.rtf"
                                        << "Cannot create file %1.";
        QTest::newRow("onto a folder") << "save"
                                       << "folder"
                                       << "Cannot create file %1.";
    }
    void failuresAreReportedAndTheTextKept()
    {
        QFETCH(QString, action);
        QFETCH(QString, target);
        QFETCH(QString, error);
        NotepadWorld run;
        QVERIFY(run.started);
        QVERIFY(QDir(run.files.path()).mkdir(QStringLiteral("folder")));
        QFile huge(run.path(QStringLiteral("huge.rtf")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(Notepad::MaxFileSize + 1)); // sparse: costs no disk
        huge.close();
        run.edit()->insertPlainText(QStringLiteral("как было"));

        const QString path = run.path(target);
        if (action == QLatin1String("open"))
            run.open(path);
        else
            run.save(path);
        QCOMPARE(run.world.dialogs.errors(), QStringList{error.arg(path)});
        QCOMPARE(run.edit()->toPlainText(), QStringLiteral("как было"));
        // A failed save leaves nothing behind: no half-written file, no temporary one.
        QCOMPARE(QDir(run.files.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{QStringLiteral("folder"), QStringLiteral("huge.rtf")}));
        QVERIFY(QDir(run.path(QStringLiteral("folder"))).isEmpty());
    }

    // A write that fails halfway (here: the process may write no more than 1 KiB into one file) is reported,
    // and the file that was there keeps its old content; no temporary file is left.
    void failedWriteKeepsTheOldFile()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        const QString path = run.path(QStringLiteral("old.rtf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("{\\rtf1 old}");
        old.close();
        run.edit()->setPlainText(QStringLiteral("длинный текст ").repeated(400));

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        run.save(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(run.world.dialogs.errors(), QStringList{QStringLiteral("Failed to Save Stream.")});
        QCOMPARE(run.fileBytes(path), QByteArray("{\\rtf1 old}"));
        QCOMPARE(QDir(run.files.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.rtf")});
    }

    void fontDialogGivesAllButTheTypeface()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        run.edit()->insertPlainText(QStringLiteral("шрифт"));
        const QString typeface = run.edit()->font().family();
        QFont arial(QStringLiteral("Arial"), 14);
        arial.setBold(true);
        Dialogs::Reply reply;
        reply.font = arial;
        reply.color = QColor(200, 0, 0);
        run.world.dialogs.answerNext(reply);
        run.world.dialogs.clear();
        QTest::mouseClick(run.form().SpeedButton14, Qt::LeftButton);

        // The dialog started from its own first font, not from the text's.
        QCOMPARE(run.world.dialogs.requests.size(), 1);
        QCOMPARE(run.world.dialogs.requests[0].kind, Dialogs::Kind::Font);
        QCOMPARE(run.world.dialogs.requests[0].font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(run.world.dialogs.requests[0].font.pointSize(), 8);

        QCOMPARE(run.edit()->font().family(), typeface);
        QCOMPARE(run.edit()->font().pointSize(), 14);
        QVERIFY(run.edit()->font().bold());
        QCOMPARE(run.edit()->palette().color(QPalette::Text), QColor(200, 0, 0));
        const rtf::Content shown = rtf::describe(*run.edit()->document());
        const rtf::CharFormat format = shown.paragraphs.at(0).runs.at(0).format;
        QCOMPARE(format.halfPoints, 28);
        QVERIFY(format.bold);
        QCOMPARE(format.family, typeface);

        // The next time it starts from what was chosen.
        run.world.dialogs.answerNo();
        QTest::mouseClick(run.form().SpeedButton14, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.requests.last().font.family(), QStringLiteral("Arial"));

        // The chosen colour is saved with the text.
        run.save(run.path(QStringLiteral("red.rtf")));
        QVERIFY(run.fileBytes(run.path(QStringLiteral("red.rtf"))).contains("\\red200\\green0\\blue0"));
    }

    // A rich-text file's own sizes and styles give way to the font dialog's, as on text typed by hand.
    void fontDialogReachesTextOpenedFromRichText()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        QFile file(run.path(QStringLiteral("styled.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 plain \\i\\fs40 italic\\i0\\par}");
        file.close();
        run.open(file.fileName());
        QFont chosen(QStringLiteral("Arial"), 14);
        chosen.setBold(true);
        Dialogs::Reply reply;
        reply.font = chosen;
        reply.color = QColor(0, 0, 200);
        run.world.dialogs.answerNext(reply);
        QTest::mouseClick(run.form().SpeedButton14, Qt::LeftButton);

        const rtf::Content shown = rtf::describe(*run.edit()->document());
        QVERIFY(!shown.paragraphs.empty());
        for (const rtf::Run& piece : shown.paragraphs.at(0).runs) {
            QCOMPARE(piece.format.halfPoints, 28);
            QVERIFY(piece.format.bold);
            QVERIFY(!piece.format.italic);
        }
        QTextCursor end(run.edit()->document());
        end.movePosition(QTextCursor::End);
        run.edit()->setTextCursor(end);
        QTest::keyClicks(run.edit(), QStringLiteral("more"));
        QCOMPARE(run.edit()->currentCharFormat().fontPointSize(), 14.0);
        QCOMPARE(run.edit()->currentCharFormat().fontWeight(), int(QFont::Bold));
    }

    void backgroundColourComesFromTheColourDialog()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        Dialogs::Reply reply;
        reply.color = QColor(10, 20, 30);
        run.world.dialogs.answerNext(reply);
        QTest::mouseClick(run.form().SpeedButton13, Qt::LeftButton);
        QCOMPARE(run.edit()->palette().color(QPalette::Base), QColor(10, 20, 30));
        QCOMPARE(run.form().SpeedButton13->toolTip(), QStringLiteral("Фон"));
        // The shared dialog starts again from the colour it gave last; a cancel changes nothing.
        run.world.dialogs.clear();
        run.world.dialogs.answerNo();
        QTest::mouseClick(run.form().SpeedButton13, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.requests.at(0).color, QColor(10, 20, 30));
        QCOMPARE(run.edit()->palette().color(QPalette::Base), QColor(10, 20, 30));
    }

    void contextMenuItemsPerformTheButtons()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        QMenu& menu = run.notepad().PopupMenu3();
        QStringList captions, names;
        for (QAction* action : menu.actions()) {
            captions << action->text();
            names << action->objectName();
        }
        QCOMPARE(captions, (QStringList{"открыть", "сохранить", "шрифт", "печать", "очистить"}));
        QCOMPARE(names, (QStringList{"N18", "N19", "N20", "N22", "N21"}));

        // The menu comes up where the text is right-clicked.
        QVERIFY(QMetaObject::invokeMethod(run.edit(), "customContextMenuRequested", Q_ARG(QPoint, QPoint(5, 5))));
        QTRY_VERIFY(menu.isVisible());
        menu.hide();

        run.edit()->insertPlainText(QStringLiteral("текст"));
        menu.actions()[4]->trigger(); // "очистить"
        QVERIFY(run.edit()->document()->isEmpty());
        menu.actions()[3]->trigger(); // "печать" of an empty text
        QVERIFY(run.world.ui().ErroR->isVisible());

        run.world.dialogs.clear();
        run.world.dialogs.answerNo();
        menu.actions()[0]->trigger();
        run.world.dialogs.answerNo();
        menu.actions()[1]->trigger();
        run.world.dialogs.answerNo();
        menu.actions()[2]->trigger();
        QCOMPARE(run.world.dialogs.requests.size(), 3);
        QCOMPARE(run.world.dialogs.requests[0].kind, Dialogs::Kind::OpenFile);
        QCOMPARE(run.world.dialogs.requests[1].kind, Dialogs::Kind::SaveFile);
        QCOMPARE(run.world.dialogs.requests[2].kind, Dialogs::Kind::Font);
    }

    void emptyTextIsNotPrinted()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        const QString pdf = run.path(QStringLiteral("empty.pdf"));
        run.notepad().printer().setOutputFileName(pdf);
        QTest::mouseClick(run.form().SpeedButton15, Qt::LeftButton);
        QVERIFY(run.world.ui().ErroR->isVisible());
        QVERIFY(!QFile::exists(pdf));
    }

    // Line i at x = 200, y = 200 + i·h in the printer's units, read back from the PDF.
    void linesArePrintedAtTheirPlaces()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed (scripts/setup.sh installs poppler-utils)");
        NotepadWorld run;
        QVERIFY(run.started);
        run.edit()->setPlainText(QStringLiteral("Alpha\nBravo\nCharlie"));
        QPrinter& printer = run.notepad().printer();
        const QString pdf = run.path(QStringLiteral("lines.pdf"));
        printer.setOutputFileName(pdf);
        QTest::mouseClick(run.form().SpeedButton15, Qt::LeftButton);
        QVERIFY(run.world.dialogs.errors().isEmpty());
        const QList<Word> words = pdfWords(pdf);
        QCOMPARE(words.size(), 3);

        // Device units to points from the paper's corner: the device's origin is the printable area's corner.
        const double unit = 72.0 / printer.resolution();
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        const double h = QFontMetrics(QFont(run.edit()->font(), &printer)).height() * unit;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(words[i].text, (QStringList{"Alpha", "Bravo", "Charlie"})[i]);
            QVERIFY2(qAbs(words[i].xMin - (area.left() + 200 * unit)) < 1.5,
                     qPrintable(QString::number(words[i].xMin)));
            // A word's box starts at most a line's height below where the line starts.
            const double top = area.top() + 200 * unit + i * h;
            QVERIFY2(words[i].yMin >= top - 0.5 && words[i].yMax <= top + h + 0.5,
                     qPrintable(QStringLiteral("%1 not in %2 + %3").arg(words[i].yMin).arg(top).arg(h)));
            if (i > 0)
                QVERIFY(qAbs(words[i].yMin - words[i - 1].yMin - h) < 0.2);
        }
    }

    void wrappedLinesPrintAsLinesOfTheirOwn()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        const QString paragraph = QStringLiteral("слово ").repeated(40).trimmed();
        run.edit()->setPlainText(paragraph + QStringLiteral("\nконец"));
        const QStringList lines = run.notepad().shownLines();
        QVERIFY(lines.size() > 2);
        QCOMPARE(lines.last(), QStringLiteral("конец"));
        QCOMPARE(lines.mid(0, lines.size() - 1).join(QString()).remove(QLatin1Char(' ')),
                 QString(paragraph).remove(QLatin1Char(' ')));
    }

    // The platform's printer-setup dialog and then its print dialog; nothing is printed.
    void choosingThePrinterShowsBothDialogsAndPrintsNothing()
    {
        NotepadWorld run;
        QVERIFY(run.started);
        run.edit()->setPlainText(QStringLiteral("не печатать"));
        const QString pdf = run.path(QStringLiteral("chosen.pdf"));
        run.notepad().printer().setOutputFileName(pdf);
        QStringList titles;
        ModalBoxCloser closer([&titles] {
            titles << QApplication::activeModalWidget()->windowTitle();
            return true;
        });
        QTest::mouseClick(run.form().SpeedButton18, Qt::LeftButton);
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0], QStringLiteral("Настройка печати"));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(run.notepad().printer().outputFileName(), pdf);
    }
};

TROMBUS_GUI_TEST_MAIN(NotepadTest)
#include "notepad_test.moc"
