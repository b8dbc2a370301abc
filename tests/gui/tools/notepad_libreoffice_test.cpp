// The notepad beside another word processor: LibreOffice writes rich text from small HTML pages, the notepad
// opens each file through its window and saves it, and LibreOffice reads the saved file back. What the page
// showed must still be there, with the same text.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <map>

#include "app/tapplication.h"
#include "forms/notepadgroup.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_NotepadGroup.h"

namespace {

struct Fixture
{
    const char* name;
    QString body;         // the page's body
    const char* encoding; // the page's character set
    const char* property; // a pattern LibreOffice's HTML of the document matches while it holds the property
};

QString pngDataUri()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

const std::vector<Fixture>& fixtures()
{
    static const std::vector<Fixture> all{
        {"table",
         QStringLiteral("<table border=\"1\"><tr><td>Ячейка один</td><td>Ячейка два</td></tr>"
                        "<tr><td>три</td><td>четыре</td></tr></table><p>После</p>"),
         "utf-8", "<table[^>]*>.*<td[^>]*>.*три.*</td>.*</table>"},
        {"list", QStringLiteral("<p>Список:</p><ul><li>Первый</li><li>Второй<ul><li>Вложенный</li></ul></li></ul>"),
         "utf-8", "<ul[^>]*>\\s*<li[^>]*>.*Первый.*<li[^>]*>.*Второй.*<li[^>]*>.*Вложенный.*</ul>"},
        {"picture", QStringLiteral("<p>До <img src=\"%1\" width=\"80\" height=\"60\"> после</p>").arg(pngDataUri()),
         "utf-8", "<img [^>]*src=\"[^\"]+\\.png\"[^>]*width=\"80\""},
        {"footnote",
         QStringLiteral("<p>Текст<a class=\"sdfootnoteanc\" name=\"sdfootnote1anc\" href=\"#sdfootnote1sym\">"
                        "<sup>1</sup></a> дальше</p><div id=\"sdfootnote1\"><p class=\"sdfootnote\">"
                        "<a class=\"sdfootnotesym\" name=\"sdfootnote1sym\" href=\"#sdfootnote1anc\">1</a>"
                        "Примечание</p></div>"),
         "utf-8", "sdfootnote1anc.*<div id=\"sdfootnote1\">.*Примечание"},
        {"superscript", QStringLiteral("<p>E = mc<sup>2</sup> и H<sub>2</sub>O</p>"), "utf-8",
         "<sup>(<[^>]*>)*2(<[^>]*>)*</sup>.*<sub>(<[^>]*>)*2(<[^>]*>)*</sub>"},
        // A script run ends before the next paragraph for every reader, not only at the end of the text.
        {"scriptsBeforeMoreParagraphs",
         QStringLiteral("<p>Письмо: E = mc<sup>2</sup> и H<sub>2</sub>O.</p><ul><li>Пункт</li></ul><p>Конец</p>"),
         "utf-8", "<sup>(<[^>]*>)*2(<[^>]*>)*</sup>.*<sub>(<[^>]*>)*2(<[^>]*>)*</sub>.*<li[^>]*>.*Пункт.*Конец"},
        {"hyperlink", QStringLiteral("<p>Смотри <a href=\"https://example.org/путь\">ссылку</a> здесь</p>"), "utf-8",
         "<a href=\"https://example.org/[^\"]*\"[^>]*>(<[^>]*>)*ссылку"},
        {"cyrillic1251", QStringLiteral("<p>Съешь же ещё этих мягких французских булок, да выпей чаю. Ёё №</p>"),
         "windows-1251", "Съешь же ещё"},
        {"cyrillicUnicode", QStringLiteral("<p>Щука «ёрш» — Ω ∑ 中文 Ґґ Ўў</p>"), "utf-8",
         "Щука «ёрш» — Ω ∑(<[^>]*>|\\s)*中文(<[^>]*>|\\s)*Ґґ\\s+Ўў"},
        {"indentsAndSpacing",
         QStringLiteral("<p>Первый</p><p style=\"margin-left: 2cm; margin-right: 1cm; text-indent: 1cm; "
                        "margin-top: 0.5cm; margin-bottom: 0.3cm; line-height: 150%\">Отступы</p>"),
         "utf-8",
         // Any order of the properties, in the units of the locale.
         "<p[^>]*style=\"(?=[^\"]*margin-left: (2(\\.0+)?cm|0\\.79in))(?=[^\"]*margin-right: (1(\\.0+)?cm|0\\.39in))"
         "(?=[^\"]*text-indent: (1(\\.0+)?cm|0\\.39in))(?=[^\"]*margin-top: (0\\.5cm|0\\.2in))"
         "(?=[^\"]*margin-bottom: (0\\.3cm|0\\.12in))(?=[^\"]*line-height: 150%)[^\"]*\"[^>]*>\\s*(<[^>]*>)*Отступы"},
        {"pageBreak", QStringLiteral("<p>Первая</p><p style=\"page-break-before: always\">Вторая</p>"), "utf-8",
         "page-break-before: always\"[^>]*>\\s*(<[^>]*>)*Вторая"},
    };
    return all;
}

// What a reader sees of LibreOffice's HTML: the body's text with tags gone and blanks folded, and only the
// footnote area's number anchors aside (their numbers are LibreOffice's own).
QString visibleText(const QString& html)
{
    QString body = html.mid(html.indexOf(QLatin1String("<body")));
    body.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    static const std::map<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},   {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},    {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},  {QStringLiteral("laquo"), QStringLiteral("«")},
        {QStringLiteral("raquo"), QStringLiteral("»")}, {QStringLiteral("mdash"), QStringLiteral("—")},
    };
    QString text;
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]+|#x[0-9a-fA-F]+|[a-z]+);"));
    qsizetype from = 0;
    for (auto it = entity.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += body.mid(from, match.capturedStart() - from);
        const QString name = match.captured(1);
        if (name.startsWith(QLatin1String("#x")))
            text += QString::fromUcs4(std::array{char32_t(name.mid(2).toUInt(nullptr, 16))}.data(), 1);
        else if (name.startsWith(QLatin1Char('#')))
            text += QString::fromUcs4(std::array{char32_t(name.mid(1).toUInt())}.data(), 1);
        else
            text += named.count(name) ? named.at(name) : QStringLiteral("&") + name + QLatin1Char(';');
        from = match.capturedEnd();
    }
    text += body.mid(from);
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text.simplified();
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    // LibreOffice writes its HTML in UTF-8 and says so.
    return QString::fromUtf8(bytes);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class NotepadLibreOfficeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_soffice;
    bool m_converted = false;

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // One LibreOffice run converts all the files; a private profile keeps it away from the user's and from a
    // LibreOffice the desktop may already run.
    bool convert(const QString& filter, const QString& inputFilter, const QStringList& files, const QString& outDir)
    {
        QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                                  QUrl::fromLocalFile(path(QStringLiteral("profile"))).toString(),
                              QStringLiteral("--headless"), QStringLiteral("--norestore")};
        if (!inputFilter.isEmpty())
            arguments << QStringLiteral("--infilter=") + inputFilter;
        arguments << QStringLiteral("--convert-to") << filter << QStringLiteral("--outdir") << outDir << files;
        QProcess process;
        process.start(m_soffice, arguments);
        if (!process.waitForFinished(240000)) {
            process.kill();
            process.waitForFinished();
            qWarning("LibreOffice did not finish the conversion");
            return false;
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private slots:
    void initTestCase()
    {
        m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (m_soffice.isEmpty())
            QSKIP("LibreOffice is not installed (scripts/setup.sh installs it)");
        QVERIFY(m_dir.isValid());
        for (const QString& folder : {QStringLiteral("html"), QStringLiteral("rtf"), QStringLiteral("back")})
            QVERIFY(QDir(m_dir.path()).mkpath(folder));

        QStringList pages;
        for (const Fixture& fixture : fixtures()) {
            const QString page = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"%1\"><title>t</title>"
                                                "</head><body>%2</body></html>")
                                     .arg(QLatin1String(fixture.encoding), fixture.body);
            QStringEncoder encoder(fixture.encoding);
            QVERIFY(encoder.isValid());
            const QString file = path(QStringLiteral("html/%1.html").arg(QLatin1String(fixture.name)));
            QVERIFY(writeFile(file, encoder.encode(page)));
            pages << file;
        }
        QVERIFY(
            convert(QStringLiteral("rtf"), QStringLiteral("HTML (StarWriter)"), pages, path(QStringLiteral("rtf"))));

        // Each file through the notepad's window: opened, saved under a name of its own.
        TestWorld world;
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        Ui::NotepadGroup& form = world.helpPage().NotepadPanel->form();
        QStringList documents;
        for (const Fixture& fixture : fixtures()) {
            const QString original = path(QStringLiteral("rtf/%1.rtf").arg(QLatin1String(fixture.name)));
            const QString saved = path(QStringLiteral("rtf/%1-saved.rtf").arg(QLatin1String(fixture.name)));
            QVERIFY2(QFile::exists(original), qPrintable(original));
            Dialogs::Reply reply;
            reply.path = original;
            world.dialogs.answerNext(reply);
            QTest::mouseClick(form.SpeedButton10, Qt::LeftButton);
            reply.path = saved;
            world.dialogs.answerNext(reply);
            QTest::mouseClick(form.SpeedButton11, Qt::LeftButton);
            QVERIFY2(QFile::exists(saved), qPrintable(saved));
            documents << original << saved;
        }
        QVERIFY(convert(QStringLiteral("html:HTML (StarWriter)"), QString(), documents, path(QStringLiteral("back"))));
        m_converted = true;
    }

    void propertyAndTextSurvive_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("property");
        for (const Fixture& fixture : fixtures())
            QTest::newRow(fixture.name) << QString::fromLatin1(fixture.name) << QString::fromUtf8(fixture.property);
    }
    void propertyAndTextSurvive()
    {
        QFETCH(QString, name);
        QFETCH(QString, property);
        QVERIFY(m_converted);
        const QString original = readText(path(QStringLiteral("back/%1.html").arg(name)));
        const QString saved = readText(path(QStringLiteral("back/%1-saved.html").arg(name)));
        QVERIFY(!original.isEmpty());
        QVERIFY(!saved.isEmpty());
        const QRegularExpression pattern(property, QRegularExpression::DotMatchesEverythingOption);
        // The fixture shows the property in LibreOffice's own file, and still after the notepad saved it.
        const auto body = [](const QString& html) {
            return qPrintable(html.mid(html.indexOf(QLatin1String("<body"))));
        };
        if (!pattern.match(original).hasMatch())
            qWarning("%s", body(original));
        QVERIFY(pattern.match(original).hasMatch());
        if (!pattern.match(saved).hasMatch())
            qWarning("%s", body(saved));
        QVERIFY(pattern.match(saved).hasMatch());
        // LibreOffice breaks its HTML lines at blanks and between tags alike, so blanks are not compared.
        QCOMPARE(visibleText(saved).remove(QLatin1Char(' ')), visibleText(original).remove(QLatin1Char(' ')));
    }
};

TROMBUS_GUI_TEST_MAIN(NotepadLibreOfficeTest)
#include "notepad_libreoffice_test.moc"
