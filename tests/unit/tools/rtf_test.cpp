#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <ostream>

#include "support/qstringprint.h"
#include "tools/rtf/codepage.h"
#include "tools/rtf/rtfcodec.h"
#include "tools/rtf/rtfcontent.h"
#include "tools/rtf/rtfreader.h"
#include "tools/rtf/rtfwriter.h"

using namespace rtf;

// Failures show texts as text.
void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '[' << texts.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << ']';
}

namespace {

// Fonts need an application object; the offscreen platform keeps the tests off any display.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "rtf_test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(TROMBUS_RTF_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList paragraphTexts(const Content& content)
{
    QStringList texts;
    for (const Paragraph& paragraph : content.paragraphs) {
        QString text;
        for (const Run& run : paragraph.runs)
            text += run.text;
        texts << text;
    }
    return texts;
}

// The format of the run that holds `text` (whole or in part) in the paragraph.
std::optional<CharFormat> formatOf(const Content& content, std::size_t paragraph, const QString& text)
{
    if (paragraph >= content.paragraphs.size())
        return std::nullopt;
    for (const Run& run : content.paragraphs[paragraph].runs) {
        if (run.text.contains(text))
            return run.format;
    }
    return std::nullopt;
}

Content readOrEmpty(const QByteArray& data)
{
    return read(data).value_or(Content{});
}

const QString lineBreak = QString(QChar(QChar::LineSeparator));

class RtfTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureApplication(); }
};

// Files as the word processors of Windows, Debian and macOS write them.
struct FixtureCase
{
    const char* file;
    QStringList paragraphs;
};

class RtfFixtureTest : public RtfTest, public ::testing::WithParamInterface<FixtureCase>
{
};

TEST_P(RtfFixtureTest, opensWithItsText)
{
    const QByteArray data = fixture(GetParam().file);
    ASSERT_FALSE(data.isEmpty()) << GetParam().file;
    const std::optional<Content> content = read(data);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(paragraphTexts(*content), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, RtfFixtureTest,
    ::testing::Values(
        FixtureCase{"wordpad_ru.rtf",
                    {QStringLiteral("Привет, мир!"), QStringLiteral("Центр"),
                     QStringLiteral("Красный зачёркнутый English αβγ"),
                     QStringLiteral("\tТабуляция") + lineBreak + QStringLiteral("строка")}},
        FixtureCase{"libreoffice_ru.rtf",
                    {QStringLiteral("Ёлка и ёжик — Linux №1"), QStringLiteral("Справа жёлтый фон"),
                     QStringLiteral("Заголовок 中文")}},
        FixtureCase{"word_ru.rtf", {QStringLiteral("Ссылка: пример.中文!"), QStringLiteral("Картинка и сноска конец")}},
        FixtureCase{"textedit_mac.rtf",
                    {QStringLiteral("Café мост "), QStringLiteral("bold red"), QStringLiteral("“quoted”")}}),
    [](const ::testing::TestParamInfo<FixtureCase>& info) {
        return QString::fromLatin1(info.param.file).section(QLatin1Char('.'), 0, 0).toStdString();
    });

TEST_F(RtfTest, wordPadFormattingComesThrough)
{
    const Content content = readOrEmpty(fixture("wordpad_ru.rtf"));
    ASSERT_EQ(content.paragraphs.size(), 4u);

    const auto greeting = formatOf(content, 0, QStringLiteral("Привет"));
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->family, QStringLiteral("Calibri"));
    EXPECT_EQ(greeting->halfPoints, 22);
    EXPECT_FALSE(greeting->bold);
    const auto world = formatOf(content, 0, QStringLiteral("мир"));
    ASSERT_TRUE(world);
    EXPECT_TRUE(world->bold);

    EXPECT_EQ(content.paragraphs[1].alignment, Qt::AlignHCenter);
    EXPECT_TRUE(formatOf(content, 1, QStringLiteral("Центр"))->italic);
    EXPECT_EQ(content.paragraphs[2].alignment, Qt::AlignLeft);

    const auto red = formatOf(content, 2, QStringLiteral("Красный"));
    ASSERT_TRUE(red);
    EXPECT_EQ(red->foreground, QColor(255, 0, 0));
    EXPECT_TRUE(red->underline);
    const auto struck = formatOf(content, 2, QStringLiteral("зачёркнутый"));
    ASSERT_TRUE(struck);
    EXPECT_TRUE(struck->strike);
    EXPECT_FALSE(struck->underline);
    EXPECT_FALSE(struck->foreground.isValid());
    const auto english = formatOf(content, 2, QStringLiteral("English"));
    ASSERT_TRUE(english);
    EXPECT_EQ(english->family, QStringLiteral("Arial"));
    EXPECT_EQ(english->halfPoints, 28);
}

TEST_F(RtfTest, libreOfficeFormattingComesThrough)
{
    const Content content = readOrEmpty(fixture("libreoffice_ru.rtf"));
    ASSERT_EQ(content.paragraphs.size(), 3u);
    const auto tree = formatOf(content, 0, QStringLiteral("Ёлка"));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->family, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(tree->halfPoints, 24);
    EXPECT_TRUE(formatOf(content, 0, QStringLiteral("ёжик"))->bold);
    EXPECT_EQ(content.paragraphs[1].alignment, Qt::AlignRight);
    const auto right = formatOf(content, 1, QStringLiteral("Справа"));
    ASSERT_TRUE(right);
    EXPECT_TRUE(right->italic);
    EXPECT_EQ(right->foreground, QColor(0, 0, 255));
    EXPECT_EQ(formatOf(content, 1, QStringLiteral("жёлтый"))->background, QColor(255, 255, 0));
    EXPECT_EQ(content.paragraphs[2].alignment, Qt::AlignHCenter);
    EXPECT_EQ(formatOf(content, 2, QStringLiteral("Заголовок"))->halfPoints, 28);
}

TEST_F(RtfTest, wordFieldResultIsShownAndItsInstructionIsNot)
{
    const Content content = readOrEmpty(fixture("word_ru.rtf"));
    ASSERT_EQ(content.paragraphs.size(), 2u);
    const auto link = formatOf(content, 0, QStringLiteral("пример"));
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->underline);
    EXPECT_EQ(link->foreground, QColor(5, 99, 193));
    EXPECT_EQ(content.paragraphs[1].alignment, Qt::AlignJustify);
    EXPECT_EQ(formatOf(content, 1, QStringLiteral("Картинка"))->halfPoints, 32);
}

// What the reader does with the parts of the format one at a time.
struct ReadCase
{
    const char* name;
    QByteArray rtf;
    QStringList paragraphs;
};

class RtfReadTest : public RtfTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(RtfReadTest, readsTheText)
{
    const std::optional<Content> content = read(GetParam().rtf);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(paragraphTexts(*content), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, RtfReadTest,
    ::testing::Values(
        ReadCase{"codePage1251WhenNoneIsNamed", "{\\rtf1 \\'cf\\'f0\\'e8}", {QStringLiteral("При")}},
        ReadCase{"documentCodePage", "{\\rtf1\\ansi\\ansicpg1253 \\'e1}", {QStringLiteral("α")}},
        ReadCase{"fontCharsetOverridesDocument",
                 "{\\rtf1\\ansi\\ansicpg1251\\deff9{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 "
                 "B;}}\\'e8\\f0\\'e8\\f1\\'e8}",
                 {QStringLiteral("иèč")}},
        ReadCase{"unicodeSkipsItsFallback", "{\\rtf1\\uc1\\u1046?\\u-3?x}", {QStringLiteral("Ж\uFFFDx")}},
        ReadCase{"unicodeSkipCountsEscapedBytes", "{\\rtf1\\uc2\\u20013\\'d6\\'d0z}", {QStringLiteral("中z")}},
        ReadCase{"unicodeSkipEndsWithItsGroup", "{\\rtf1{\\uc3\\u1046}ab}", {QStringLiteral("Жab")}},
        ReadCase{"surrogatePairs", "{\\rtf1\\u-10179?\\u-8704?}", {QString::fromUtf8("\xF0\x9F\x98\x80")}},
        ReadCase{"loneSurrogate", "{\\rtf1\\u-10179?a}", {QStringLiteral("\uFFFDa")}},
        ReadCase{"escapedSymbols", "{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f\\_g}", {QStringLiteral("a{b}c\\d\u00A0ef\u2011g")}},
        ReadCase{"lineEndsAreNotText", "{\\rtf1 a\r\nb\nc}", {QStringLiteral("abc")}},
        ReadCase{"escapedLineEndIsAParagraph", "{\\rtf1 a\\\nb}", {QStringLiteral("a"), QStringLiteral("b")}},
        ReadCase{
            "unknownWordsKeepTheTextAround", "{\\rtf1 one \\foo12 two\\bar three}", {QStringLiteral("one twothree")}},
        ReadCase{"starredDestinationsAreSkipped", "{\\rtf1 a{\\*\\unknown b{c}}d}", {QStringLiteral("ad")}},
        ReadCase{"pictureIsSkipped", "{\\rtf1 a{\\pict\\wmetafile8 0102ff}b}", {QStringLiteral("ab")}},
        ReadCase{"objectIsSkipped", "{\\rtf1 a{\\object{\\*\\objdata 01}{\\result x}}b}", {QStringLiteral("ab")}},
        ReadCase{"hiddenText", "{\\rtf1 a{\\v b}c\\v d\\v0 e}", {QStringLiteral("ace")}},
        ReadCase{"lastParIsAnEnd", "{\\rtf1 a\\par}", {QStringLiteral("a")}},
        ReadCase{"emptyLastParagraphKept", "{\\rtf1 a\\par\\par}", {QStringLiteral("a"), QString()}},
        ReadCase{"emptyDocument", "{\\rtf1}", {QString()}},
        ReadCase{"specialCharacters",
                 "{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
                 {QStringLiteral("—–•‘’“”")}},
        ReadCase{"tabsAndLines", "{\\rtf1 a\\tab b\\line c}", {QStringLiteral("a\tb\u2028c")}},
        ReadCase{"fontTableWithoutGroups",
                 "{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1 Courier;}\\f1 x}",
                 {QStringLiteral("x")}},
        ReadCase{"rawHighBytes", QByteArray("{\\rtf1 \xcf\xf0\xe8}"), {QStringLiteral("При")}},
        ReadCase{"doubleByteCodePage",
                 "{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'82\\'a0}",
                 {QStringLiteral("あ")}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(RtfTest, formatsFollowGroupsAndResets)
{
    const Content content = readOrEmpty(
        "{\\rtf1{\\fonttbl{\\f0 Serif;}{\\f1 Mono;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "\\f1\\fs40\\b\\i\\ul\\strike\\cf1\\highlight1 a{\\b0\\fs20 b}c\\plain d\\ul e\\ulnone f\\b1 g\\b0 h}");
    const auto a = formatOf(content, 0, QStringLiteral("a"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->family, QStringLiteral("Mono"));
    EXPECT_EQ(a->halfPoints, 40);
    EXPECT_TRUE(a->bold && a->italic && a->underline && a->strike);
    EXPECT_EQ(a->foreground, QColor(1, 2, 3));
    EXPECT_EQ(a->background, QColor(1, 2, 3));
    const auto b = formatOf(content, 0, QStringLiteral("b"));
    EXPECT_FALSE(b->bold);
    EXPECT_EQ(b->halfPoints, 20);
    EXPECT_TRUE(formatOf(content, 0, QStringLiteral("c"))->bold);
    const auto d = formatOf(content, 0, QStringLiteral("d"));
    EXPECT_EQ(d->family, QStringLiteral("Serif"));
    EXPECT_EQ(d->halfPoints, 24);
    EXPECT_FALSE(d->bold || d->italic || d->underline || d->strike);
    EXPECT_FALSE(d->foreground.isValid() || d->background.isValid());
    EXPECT_TRUE(formatOf(content, 0, QStringLiteral("e"))->underline);
    EXPECT_FALSE(formatOf(content, 0, QStringLiteral("f"))->underline);
    EXPECT_TRUE(formatOf(content, 0, QStringLiteral("g"))->bold);
    EXPECT_FALSE(formatOf(content, 0, QStringLiteral("h"))->bold);
}

// Broken and hostile files: the reader ends, keeps what it could read and never reads past the data.
struct BadCase
{
    const char* name;
    QByteArray rtf;
    QString text; // the paragraphs joined with "|"
};

class RtfBadInputTest : public RtfTest, public ::testing::WithParamInterface<BadCase>
{
};

TEST_P(RtfBadInputTest, keepsWhatItCouldRead)
{
    const std::optional<Content> content = read(GetParam().rtf);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(paragraphTexts(*content).join(QLatin1Char('|')), GetParam().text);
}

QByteArray deepNesting(int levels)
{
    return "{\\rtf1 a" + QByteArray(levels, '{') + "b" + QByteArray(levels, '}') + "c}";
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, RtfBadInputTest,
    ::testing::Values(
        BadCase{"truncatedGroup", "{\\rtf1 abc{\\b de", QStringLiteral("abcde")},
        BadCase{"truncatedEscape", "{\\rtf1 abc\\'c", QStringLiteral("abc")},
        BadCase{"truncatedControlWord", "{\\rtf1 abc\\", QStringLiteral("abc")},
        BadCase{"truncatedUnicode", "{\\rtf1 abc\\u10", QStringLiteral("abc")},
        BadCase{"extraClosingBraces", "{\\rtf1 ab}}}cd", QStringLiteral("ab")},
        BadCase{"unbalancedInside", "{\\rtf1 a}b}{c", QStringLiteral("a")},
        BadCase{"hugeNumbers",
                "{\\rtf1\\fs99999999999999999999 a\\u99999999999999 b\\uc999999999 \\ansicpg-999999999999 c}",
                QStringLiteral("a\uFFFDc")},
        BadCase{"hugeNegativeNumber", "{\\rtf1\\fs-99999999999999999999 a\\cf-5 b}", QStringLiteral("ab")},
        BadCase{"deepNestingPassesOverTheDeepText", deepNesting(100000), QStringLiteral("ac")},
        BadCase{"nestingJustWithinTheBound", deepNesting(maxDepth - 1), QStringLiteral("abc")},
        BadCase{"binData", "{\\rtf1 a\\bin3 }}}b}", QStringLiteral("ab")},
        BadCase{"binLongerThanTheFile", "{\\rtf1 a\\bin999999999 xyz", QStringLiteral("a")},
        BadCase{"binNegative", "{\\rtf1 a\\bin-5 b}", QStringLiteral("ab")},
        BadCase{"nulBytes", QByteArray("{\\rtf1 a\0b\\'00c}", 16), QStringLiteral("abc")},
        BadCase{"controlCharactersAreNotText", "{\\rtf1 a\\u10?\\u13?\\u8233?\\u65532?\\u0?\x01 b}",
                QStringLiteral("a b")},
        BadCase{"longControlWord", "{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}", QStringLiteral("ab")},
        BadCase{"fontTableCutShort", "{\\rtf1{\\fonttbl{\\f0 Arial", QString()},
        BadCase{"colourIndexOutOfTable", "{\\rtf1{\\colortbl;\\red9;}\\cf7\\highlight-1 a}", QStringLiteral("a")},
        BadCase{"starAlone", "{\\rtf1 a\\*}b", QStringLiteral("a")}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST_F(RtfTest, sizesAreBounded)
{
    const Content content = readOrEmpty("{\\rtf1\\fs0 a\\fs999999 b\\fs c}");
    EXPECT_EQ(formatOf(content, 0, QStringLiteral("a"))->halfPoints, minHalfPoints);
    EXPECT_EQ(formatOf(content, 0, QStringLiteral("b"))->halfPoints, maxHalfPoints);
    EXPECT_EQ(formatOf(content, 0, QStringLiteral("c"))->halfPoints, 24);
}

// What a file keeps beyond runs and alignment: each element is read into the content, and a save of the
// document filled from it and a second open give the same content back.
QTextDocument* richDocument(QTextDocument& document);

struct ElementCase
{
    const char* name;
    QByteArray rtf;
    QStringList paragraphs;
    std::function<void(const Content&)> check;
};

class RtfElementTest : public RtfTest, public ::testing::WithParamInterface<ElementCase>
{
};

// The tables of the file are bookkeeping for the carried groups; the writer adds its own fonts to them.
Content withoutTables(Content content)
{
    content.fontEntries.clear();
    content.fontCount = 0;
    content.cyrillicFonts.clear();
    content.colors.clear();
    return content;
}

TEST_P(RtfElementTest, isKeptThroughSaveAndOpen)
{
    const std::optional<Content> content = read(GetParam().rtf);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(paragraphTexts(*content), GetParam().paragraphs);
    GetParam().check(*content);

    QTextDocument shown;
    shown.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    fill(shown, *content);
    const Content described = describe(shown);
    SCOPED_TRACE("described");
    GetParam().check(described);
    const QByteArray saved = save(shown);
    QTextDocument reopened;
    reopened.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    ASSERT_EQ(load(reopened, saved), Loaded::RichText);
    const Content again = describe(reopened);
    EXPECT_EQ(withoutTables(again), withoutTables(described)) << saved.constData();
    EXPECT_EQ(reopened.toRawText(), shown.toRawText());
}

// Made once: the file records the screen's resolution, which changes once the application object exists.
const QByteArray& pngBytes()
{
    static const QByteArray png = [] {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 30));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }();
    return png;
}

const Run* embeddedRun(const Content& content, std::size_t paragraph, Embedded::Kind kind, std::size_t nth = 0)
{
    if (paragraph >= content.paragraphs.size())
        return nullptr;
    for (const Run& run : content.paragraphs[paragraph].runs) {
        if (run.embedded.kind == kind && nth-- == 0)
            return &run;
    }
    return nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, RtfElementTest,
    ::testing::Values(
        ElementCase{
            "indentsSpacingAndTabs",
            "{\\rtf1\\pard\\li720\\ri360\\fi-240\\sb120\\sa240\\sl360\\slmult1\\tqc\\tx1440\\tx2880 a\\par"
            "\\pard\\sl-300\\slmult0 b\\par}",
            {QStringLiteral("a"), QStringLiteral("b")},
            [](const Content& c) {
                ASSERT_EQ(c.paragraphs.size(), 2u);
                const Paragraph& p = c.paragraphs[0];
                EXPECT_EQ(p.leftIndent, 720);
                EXPECT_EQ(p.rightIndent, 360);
                EXPECT_EQ(p.firstLineIndent, -240);
                EXPECT_EQ(p.spaceBefore, 120);
                EXPECT_EQ(p.spaceAfter, 240);
                EXPECT_EQ(p.lineSpacing, 360);
                EXPECT_TRUE(p.lineMultiple);
                EXPECT_EQ(p.tabs, (std::vector<TabStop>{{1440, TabStop::Kind::Center}, {2880, TabStop::Kind::Left}}));
                EXPECT_EQ(c.paragraphs[1].lineSpacing, -300);
                EXPECT_EQ(c.paragraphs[1].leftIndent, 0);
            }},
        ElementCase{"scriptsAndCaps",
                    "{\\rtf1 a{\\super b}{\\sub c}{\\up6 d}{\\dn4 e}{\\scaps f}{\\caps g}h}",
                    {QStringLiteral("abcdefgh")},
                    [](const Content& c) {
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("a"))->script, Script::Normal);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("b"))->script, Script::Super);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("c"))->script, Script::Sub);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("d"))->script, Script::Super);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("e"))->script, Script::Sub);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("f"))->caps, Caps::Small);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("g"))->caps, Caps::All);
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("h"))->caps, Caps::None);
                    }},
        ElementCase{"pageBreaks",
                    "{\\rtf1 a\\page b\\par\\pard\\pagebb c\\par d\\par}",
                    {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")},
                    [](const Content& c) {
                        ASSERT_EQ(c.paragraphs.size(), 4u);
                        EXPECT_FALSE(c.paragraphs[0].pageBreakBefore);
                        EXPECT_TRUE(c.paragraphs[1].pageBreakBefore);
                        EXPECT_TRUE(c.paragraphs[2].pageBreakBefore);
                        EXPECT_TRUE(c.paragraphs[3].pageBreakBefore); // \pagebb holds until \pard
                    }},
        ElementCase{"hyperlink",
                    "{\\rtf1 x{\\field{\\*\\fldinst{ HYPERLINK \"https://example.org/a?b=1\" }}{\\fldrslt{\\ul "
                    "link}}}y{\\field{\\*\\fldinst HYPERLINK \\\\l \"part\"}{\\fldrslt here}}}",
                    {QStringLiteral("xlinkyhere")},
                    [](const Content& c) {
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("link"))->link,
                                  QStringLiteral("https://example.org/a?b=1"));
                        EXPECT_TRUE(formatOf(c, 0, QStringLiteral("link"))->underline);
                        EXPECT_TRUE(formatOf(c, 0, QStringLiteral("x"))->link.isEmpty());
                        EXPECT_TRUE(formatOf(c, 0, QStringLiteral("y"))->link.isEmpty());
                        EXPECT_EQ(formatOf(c, 0, QStringLiteral("here"))->link, QStringLiteral("#part"));
                    }},
        ElementCase{"list",
                    "{\\rtf1{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc23}}}{\\listoverridetable{"
                    "\\listoverride\\listid7\\ls1}}\\pard{\\listtext \\u8226\\'95\\tab}\\ls1\\ilvl1\\li709\\fi-283 "
                    "One\\par\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}Two\\par}",
                    {QStringLiteral("•\tOne"), QStringLiteral("1.\tTwo")},
                    [](const Content& c) {
                        ASSERT_EQ(c.paragraphs.size(), 2u);
                        EXPECT_EQ(c.paragraphs[0].list, 1);
                        EXPECT_EQ(c.paragraphs[0].listLevel, 1);
                        EXPECT_EQ(c.paragraphs[0].leftIndent, 709);
                        EXPECT_TRUE(formatOf(c, 0, QStringLiteral("•"))->listText);
                        EXPECT_FALSE(formatOf(c, 0, QStringLiteral("One"))->listText);
                        EXPECT_TRUE(formatOf(c, 1, QStringLiteral("1."))->listText);
                        EXPECT_TRUE(c.header.contains("{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc23}}}"));
                        EXPECT_TRUE(c.header.contains("{\\listoverridetable{\\listoverride\\listid7\\ls1}}"));
                        const Run* pn = embeddedRun(c, 1, Embedded::Kind::Carried);
                        ASSERT_TRUE(pn);
                        EXPECT_EQ(pn->embedded.bytes, "{\\*\\pn\\pnlvlbody\\pndec}");
                    }},
        ElementCase{
            "table",
            "{\\rtf1 before\\par\\trowd\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw15\\cellx1000\\cellx2500"
            "\\pard\\intbl A\\cell B1\\par B2\\cell\\row\\trowd\\cellx1000\\cellx2500\\pard\\intbl C\\cell "
            "\\cell\\row\\pard after\\par}",
            {QStringLiteral("before"), QStringLiteral("A"), QStringLiteral("B1"), QStringLiteral("B2"),
             QStringLiteral("C"), QString(), QStringLiteral("after")},
            [](const Content& c) {
                ASSERT_EQ(c.paragraphs.size(), 7u);
                ASSERT_EQ(c.tables.size(), 1u);
                EXPECT_EQ(c.paragraphs[0].table, -1);
                const std::vector<std::array<int, 3>> cells{{0, 0, 0}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1}};
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    const Paragraph& p = c.paragraphs[i + 1];
                    EXPECT_EQ((std::array<int, 3>{p.table, p.row, p.column}), cells[i]) << i;
                }
                EXPECT_EQ(c.paragraphs[6].table, -1);
                ASSERT_EQ(c.tables[0].rows.size(), 2u);
                EXPECT_EQ(c.tables[0].rows[0], (std::vector<TableCell>{{1000, 15}, {2500, 0}}));
                EXPECT_EQ(c.tables[0].rows[1], (std::vector<TableCell>{{1000, 0}, {2500, 0}}));
            }},
        ElementCase{"pngPicture",
                    "{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv y}}}\\picscalex50\\picscaley200"
                    "\\picw4\\pich3\\picwgoal600\\pichgoal450\\pngblip\n" +
                        pngBytes().toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        const Run* picture = embeddedRun(c, 0, Embedded::Kind::Picture);
                        ASSERT_TRUE(picture);
                        EXPECT_EQ(picture->embedded.bytes, pngBytes());
                        EXPECT_EQ(picture->embedded.type, "png");
                        EXPECT_EQ(picture->embedded.width, 300);
                        EXPECT_EQ(picture->embedded.height, 900);
                        EXPECT_FALSE(embeddedRun(c, 0, Embedded::Kind::Carried)); // the fallback copy goes
                    }},
        ElementCase{"metafileIsCarried",
                    "{\\rtf1 a{\\pict\\wmetafile8\\picw10\\pich10 0102ff}b}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        const Run* carried = embeddedRun(c, 0, Embedded::Kind::Carried);
                        ASSERT_TRUE(carried);
                        EXPECT_EQ(carried->embedded.bytes, "{\\pict\\wmetafile8\\picw10\\pich10 0102ff}");
                    }},
        ElementCase{
            "footnoteAndUnknownDestinationsAreCarried",
            "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f3\\fcharset204 Times;}}{\\colortbl;\\red1\\green2\\blue3;}"
            "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\header\\pard\\f3 head\\par}a{\\super\\chftn}"
            "{\\*\\footnote\\pard\\plain{\\super\\chftn}\\f3\\cf1 note}b{\\*\\unknown c{d}}e}",
            {QStringLiteral("abe")},
            [](const Content& c) {
                EXPECT_EQ(c.header, "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}");
                const Run* header = embeddedRun(c, 0, Embedded::Kind::Carried, 0);
                ASSERT_TRUE(header);
                EXPECT_EQ(header->embedded.bytes, "{\\header\\pard\\f3 head\\par}");
                const Run* mark = embeddedRun(c, 0, Embedded::Kind::Carried, 1);
                ASSERT_TRUE(mark);
                EXPECT_EQ(mark->embedded.bytes, "{\\chftn}");
                EXPECT_EQ(mark->format.script, Script::Super);
                const Run* note = embeddedRun(c, 0, Embedded::Kind::Carried, 2);
                ASSERT_TRUE(note);
                EXPECT_EQ(note->embedded.bytes, "{\\*\\footnote\\pard\\plain{\\super\\chftn}\\f3\\cf1 note}");
                const Run* unknown = embeddedRun(c, 0, Embedded::Kind::Carried, 3);
                ASSERT_TRUE(unknown);
                EXPECT_EQ(unknown->embedded.bytes, "{\\*\\unknown c{d}}");
            }},
        ElementCase{"symbolFonts",
                    "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1\\fnil\\fcharset2 Wingdings;}}\\f0 a\\'b7\\f1\\'a7"
                    "\\'fc\\f0\\u61623?}",
                    {QStringLiteral("α•▪✔•")},
                    [](const Content&) {}},
        ElementCase{
            "doubleByteTextTakesTheAssociatedFont",
            "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset128 MS Mincho;}}\\f0\\hich\\af1\\dbch\\af1 "
            "\\'82\\'a0\\loch a\\'e9}",
            {QStringLiteral("あaé")},
            [](const Content&) {}},
        // Text shown between a group's brace and its destination word is not carried as well: the next open
        // would show it twice.
        ElementCase{"textBeforeTheDestinationWordIsShownOnce",
                    "{\\rtf1 a{\\*zz\\unknownword skip}{x{\\*\\footnote f}}b\\par}",
                    {QStringLiteral("azzxb")},
                    [](const Content&) {}},
        // What stands inside a picture or a carried group (a nested table's row, a footnote's own table)
        // belongs to it: the row around it keeps the cells its own row definition gave.
        ElementCase{
            "rowWordsInsideEmbeddedGroupsLeaveTheRowAlone",
            "{\\rtf1\\trowd\\cellx1000\\cellx2500\\pard\\intbl A{\\pict\\wmetafile8\\trowd\\clbrdrt\\brdrw30"
            "\\cellx1200 0102\\cell\\row}\\cell B{\\*\\footnote\\pard\\plain\\trowd\\cellx500\\pard\\intbl n\\cell"
            "\\row}\\cell\\row\\pard after\\par}",
            {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("after")},
            [](const Content& c) {
                ASSERT_EQ(c.paragraphs.size(), 3u);
                ASSERT_EQ(c.tables.size(), 1u);
                ASSERT_EQ(c.tables[0].rows.size(), 1u);
                EXPECT_EQ(c.tables[0].rows[0], (std::vector<TableCell>{{1000, 0}, {2500, 0}}));
                EXPECT_EQ(c.paragraphs[1].column, 1);
                EXPECT_EQ(c.paragraphs[2].table, -1);
                ASSERT_TRUE(embeddedRun(c, 0, Embedded::Kind::Carried));
                ASSERT_TRUE(embeddedRun(c, 1, Embedded::Kind::Carried));
            }},
        // Nor do a carried group's code page, default font, colour table or tab kind reach the text after it.
        ElementCase{
            "documentWordsInsideCarriedGroupsStayThere",
            "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times;}}{\\*\\unknown{\\colortbl;"
            "\\red9;}\\ansicpg1252\\deff1}\\red7{\\colortbl;;\\red1\\green2\\blue3;}\\tqr{\\*\\x\\tqc}\\tx720\\cf2 "
            "\\'c4\\tab b\\par}",
            {QStringLiteral("Д\tb")},
            [](const Content& c) {
                ASSERT_EQ(c.paragraphs.size(), 1u);
                EXPECT_EQ(c.paragraphs[0].tabs, (std::vector<TabStop>{{720, TabStop::Kind::Right}}));
                const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("b"));
                ASSERT_TRUE(format);
                EXPECT_EQ(format->family, QStringLiteral("Arial"));
                EXPECT_EQ(format->foreground, QColor(1, 2, 3));
            }},
        // The font table and the groups carried from a file are in the file's code page, set in its header: a
        // later code page word changes nothing, and the save keeps the file's.
        ElementCase{
            "carriedPartsKeepTheFilesCodePage",
            "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Pis\\'e8;}}{\\*\\unknown \\'e8}\\ansicpg1252\\f0 \\'e8\\par}",
            {QStringLiteral("č")},
            [](const Content& c) {
                EXPECT_EQ(c.codePage, 1250);
                const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("č"));
                ASSERT_TRUE(format);
                EXPECT_EQ(format->family, QStringLiteral("Pisč"));
            }},
        // A link at the start of the text, in a file whose default font is a symbol one.
        ElementCase{
            "linkBeforeAnyFontOfItsOwn",
            "{\\rtf1\\deff0{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1\\fcharset0 Arial;}}\\f1{\\field{\\*\\fldinst "
            "HYPERLINK \"https://\\u1087?.example/\"}{\\fldrslt link}}{\\*\\unknown}\\par}",
            {QStringLiteral("link")},
            [](const Content& c) {
                const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("link"));
                ASSERT_TRUE(format);
                EXPECT_EQ(format->link, QStringLiteral("https://п.example/"));
            }},
        // A cell past the farthest edge a row may have, and one more that the row does not define.
        ElementCase{"cellsReachNoFartherThanTheBound",
                    "{\\rtf1\\trowd\\cellx3000058\\pard\\intbl A\\cell B\\cell\\row\\pard after\\par}",
                    {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("after")},
                    [](const Content& c) {
                        ASSERT_EQ(c.tables.size(), 1u);
                        for (const std::vector<TableCell>& row : c.tables[0].rows) {
                            ASSERT_FALSE(row.empty());
                            EXPECT_EQ(row.front().rightEdge, maxCellEdge);
                            EXPECT_LE(row.back().rightEdge, maxCellEdge);
                        }
                    }},
        // Nor is text hidden there: where the group would be written back, it is no longer hidden.
        ElementCase{"hiddenTextBeforeTheDestinationWordStaysHidden",
                    "{\\rtf1 a\\v{h\\*\\footnote f}{h\\pict\\wmetafile8 01}\\v0 b\\par}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        ASSERT_EQ(c.paragraphs.size(), 1u);
                        EXPECT_FALSE(embeddedRun(c, 0, Embedded::Kind::Carried));
                    }},
        // A font table whose entries start right after its word, as a damaged file may have it.
        ElementCase{"fontTableEntriesRightAfterItsWord",
                    "{\\rtf1{\\fonttbl Unnumbered;{\\f1\\fcharset204 Times;}}{\\*\\unknown}\\f1 a\\par}",
                    {QStringLiteral("a")},
                    [](const Content& c) {
                        const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("a"));
                        ASSERT_TRUE(format);
                        EXPECT_EQ(format->family, QStringLiteral("Times"));
                    }},
        // A font number the table gives twice (only a damaged file does) keeps its first typeface, in the text and
        // for the save alike.
        ElementCase{"aFontNumberGivenTwiceKeepsItsFirstTypeface",
                    "{\\rtf1{\\fonttbl{\\f0Arial\\f6Arial\\f}}{\\*\\unknown}\\f6 a\\f0 b\\par}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        for (const QString& text : {QStringLiteral("a"), QStringLiteral("b")}) {
                            const std::optional<CharFormat> format = formatOf(c, 0, text);
                            ASSERT_TRUE(format);
                            EXPECT_EQ(format->family, QStringLiteral("Arial"));
                        }
                    }},
        // The highest font number a file may use is kept; past it (only a damaged file goes there, even past what
        // an int holds) the entry is passed over, and the fonts the save adds after the file's own still get
        // numbers of their own.
        ElementCase{"theHighestFontNumber",
                    "{\\rtf1{\\fonttbl{\\f65535 Arial;}}{\\*\\unknown}\\f65535 a\\plain b\\par}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("a"));
                        ASSERT_TRUE(format);
                        EXPECT_EQ(format->family, QStringLiteral("Arial"));
                    }},
        ElementCase{"fontNumbersPastTheHighestArePassedOver",
                    "{\\rtf1{\\fonttbl{\\f65536 Arial;}\\f7777777777 Times;}{\\*\\unknown}\\f65536 a"
                    "\\f7777777777 b\\par}",
                    {QStringLiteral("ab")},
                    [](const Content& c) {
                        for (const QString& text : {QStringLiteral("a"), QStringLiteral("b")}) {
                            const std::optional<CharFormat> format = formatOf(c, 0, text);
                            ASSERT_TRUE(format);
                            EXPECT_NE(format->family, QStringLiteral("Arial"));
                            EXPECT_NE(format->family, QStringLiteral("Times"));
                        }
                    }},
        // A group that set a row's cell before its destination word (only a damaged file has one) has taken part
        // in the text, so it is not carried: the next open would add that cell again.
        ElementCase{"cellEdgeBeforeTheDestinationWord",
                    "{\\rtf1{\\cellx1500\\*\\unknown}\\intbl a\\cell\\row}",
                    {QStringLiteral("a")},
                    [](const Content& c) {
                        EXPECT_FALSE(embeddedRun(c, 0, Embedded::Kind::Carried));
                        ASSERT_EQ(c.tables.size(), 1u);
                    }},
        // Font names written with \\u under the file's own \\uc keep their letters when the table is carried.
        ElementCase{"fontNamesUnderTheFilesUnicodeSkip",
                    "{\\rtf1\\uc0{\\fonttbl{\\f0 \\u1052\\u1057 Gothic;}}{\\*\\unknown}\\f0 a\\par}",
                    {QStringLiteral("a")},
                    [](const Content& c) {
                        const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("a"));
                        ASSERT_TRUE(format);
                        EXPECT_EQ(format->family, QStringLiteral("МСGothic"));
                    }},
        // A typeface the save adds to a carried table is written for the file's \uc as well.
        ElementCase{"addedFontNameUnderTheFilesUnicodeSkip",
                    "{\\rtf1\\uc0{\\fonttbl{\\f1\\fcharset0 \\'ff;}}{\\*\\unknown}\\f1 a\\par}",
                    {QStringLiteral("a")},
                    [](const Content& c) {
                        const std::optional<CharFormat> format = formatOf(c, 0, QStringLiteral("a"));
                        ASSERT_TRUE(format);
                        EXPECT_EQ(format->family, QStringLiteral("ÿ"));
                    }},
        // Only a damaged file has a second font table; the first one is the file's.
        ElementCase{"aSecondFontTableIsPassedOver",
                    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Times;}}a{\\fonttbl{\\f0 Arial;}}b\\chftn20 \\'c4\\par}",
                    {QStringLiteral("abД")},
                    [](const Content&) {}}),
    [](const ::testing::TestParamInfo<ElementCase>& info) { return std::string(info.param.name); });

// A file whose carried groups refer to its fonts and colours keeps those at their numbers, and its own typefaces
// do not pile up in the table save after save.
TEST_F(RtfTest, carriedGroupsKeepTheirFontsAndColours)
{
    const QByteArray file = "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f3\\fcharset204 Times;}}"
                            "{\\colortbl;\\red1\\green2\\blue3;}a{\\*\\footnote\\f3\\cf1 note}\\f3 b}";
    QTextDocument document;
    load(document, file);
    QByteArray saved = save(document);
    EXPECT_TRUE(saved.contains("{\\fonttbl{\\f0\\fswiss Arial;}{\\f3\\fcharset204 Times;}")) << saved.constData();
    EXPECT_TRUE(saved.contains("{\\colortbl ;\\red1\\green2\\blue3;")) << saved.constData();
    EXPECT_TRUE(saved.contains("{\\*\\footnote\\f3\\cf1 note}"));
    for (int i = 0; i < 3; ++i) {
        QTextDocument reopened;
        load(reopened, saved);
        const QByteArray again = save(reopened);
        if (i > 0) {
            EXPECT_EQ(again, saved);
        }
        saved = again;
    }
}

// The notepad's own files carry nothing: they come out as they always did.
TEST_F(RtfTest, ownFilesCarryNoTables)
{
    QTextDocument document;
    richDocument(document);
    const Content content = *read(save(document));
    EXPECT_TRUE(content.header.isEmpty());
    EXPECT_TRUE(content.fontEntries.isEmpty());
    EXPECT_TRUE(content.colors.empty());
}

// A document with what the notepad can hold: the save and the open give back the same.
QTextDocument* richDocument(QTextDocument& document)
{
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    cursor.insertText(QStringLiteral("Обычный текст, "), plain);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(14);
    cursor.insertText(QStringLiteral("жирный 14"), bold);
    QTextCharFormat colours;
    colours.setForeground(QColor(200, 10, 20));
    colours.setBackground(QColor(0, 255, 0));
    colours.setFontItalic(true);
    colours.setFontUnderline(true);
    colours.setFontStrikeOut(true);
    colours.setFontFamilies({QStringLiteral("DejaVu Serif")});
    cursor.insertText(QStringLiteral(" цвет; {скобки} \\ и 7 цифр"), colours);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    QTextCharFormat half;
    half.setFontPointSize(10.5);
    cursor.insertText(QStringLiteral("Ёё №€ — ") + QString::fromUtf8("中文 \xF0\x9F\x98\x80 ") +
                          QStringLiteral("\tтаб") + lineBreak + QStringLiteral("строка"),
                      half);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified);
    cursor.insertText(QStringLiteral(" ведущий пробел и хвост  "), plain);
    return &document;
}

TEST_F(RtfTest, roundTripKeepsTextSizesStylesAndColours)
{
    QTextDocument original;
    richDocument(original);
    const QByteArray saved = save(original);

    QTextDocument reopened;
    reopened.setDefaultFont(QFont(QStringLiteral("Liberation Mono"), 20));
    EXPECT_EQ(load(reopened, saved), Loaded::RichText);
    EXPECT_EQ(describe(reopened), describe(original)) << saved.constData();
    EXPECT_EQ(reopened.toRawText(), original.toRawText());
}

TEST_F(RtfTest, emptyAndBlankDocumentsRoundTrip)
{
    for (const QString& text : {QString(), QStringLiteral("\n"), QStringLiteral("a\n\n")}) {
        QTextDocument original;
        original.setPlainText(text);
        QTextDocument reopened;
        load(reopened, save(original));
        EXPECT_EQ(reopened.blockCount(), original.blockCount()) << text.toStdString();
        EXPECT_EQ(reopened.toPlainText(), original.toPlainText());
    }
}

TEST_F(RtfTest, writerOutputIsSevenBitWithCp1251BytesAndUnicodeEscapes)
{
    Content content;
    content.paragraphs.push_back({Qt::AlignLeft, {{QStringLiteral("Яя€中"), CharFormat{}}}});
    const QByteArray out = write(content);
    for (const char c : out)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_TRUE(out.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_TRUE(out.contains("\\fcharset204"));
    EXPECT_TRUE(out.contains("\\'df\\'ff\\'88\\u20013?")) << out.constData();
}

TEST_F(RtfTest, plainTextFiles)
{
    struct Case
    {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"first line\nsecond\n", QStringLiteral("first line\nsecond\n")},
        {"windows\r\nlines\r\n", QStringLiteral("windows\nlines\n")},
        {"\xEF\xBB\xBFutf-8 \xD0\x96", QStringLiteral("utf-8 Ж")},
        {QByteArray("\xFF\xFEu\0\x16\x04\r\0\n\0z\0", 12), QStringLiteral("uЖ\nz")},
        {QByteArray("\xFE\xFF\0u\x04\x16\0\r\0\n\0z", 12), QStringLiteral("uЖ\nz")},
        // Halves of a surrogate pair without the other: a lone low half, a high half before a letter and at
        // the end; a whole pair stays one character.
        {QByteArray("\xFE\xFF\xDF\x30\xD8\x3D\0a\xD8\x3D\xDE\x00\xD8\x3D", 14),
         QStringLiteral("\uFFFD\uFFFDa\U0001F600\uFFFD")},
        // A byte order mark inside the text is a character of it.
        {QByteArray::fromHex("fffe6100fffe6200"), QStringLiteral("a\uFEFFb")},
        {"cp1251 \xC6\xE0\xE1\xE0", QStringLiteral("cp1251 Жаба")},
        {"{\\rt not rich", QStringLiteral("{\\rt not rich")},
        {" {\\rtf1 starts late}", QStringLiteral(" {\\rtf1 starts late}")},
    };
    for (const Case& c : cases) {
        QTextDocument document;
        EXPECT_EQ(load(document, c.bytes), Loaded::PlainText);
        EXPECT_EQ(document.toPlainText(), c.text);
        // Saved as rich text, the file opens to the same text.
        QTextDocument reopened;
        EXPECT_EQ(load(reopened, save(document)), Loaded::RichText);
        EXPECT_EQ(reopened.toPlainText(), c.text) << c.bytes.toHex().constData();
    }
}

TEST_F(RtfTest, plainTextTakesTheDocumentsFontAndDropsOldFormatting)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 13));
    load(document, "{\\rtf1\\b\\fs60 old}");
    load(document, "new");
    const Content content = describe(document);
    ASSERT_EQ(content.paragraphs.size(), 1u);
    EXPECT_EQ(content.paragraphs[0].runs.at(0).format.halfPoints, 26);
    EXPECT_FALSE(content.paragraphs[0].runs.at(0).format.bold);
}

// unrtf's HTML as lines of text: a line ends at each <br> (the source's own line ends are blanks), tags go,
// entities become their characters.
QStringList htmlLines(const QString& html)
{
    QString body = html.mid(html.indexOf(QLatin1String("<body>")));
    body.replace(QLatin1Char('\n'), QLatin1Char(' '));
    body.replace(QLatin1String("<br>"), QLatin1String("\n"));
    body.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    static const std::map<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},   {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},    {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},  {QStringLiteral("euro"), QStringLiteral("€")},
        {QStringLiteral("mdash"), QStringLiteral("—")}, {QStringLiteral("ndash"), QStringLiteral("–")},
        {QStringLiteral("laquo"), QStringLiteral("«")}, {QStringLiteral("raquo"), QStringLiteral("»")},
        {QStringLiteral("bull"), QStringLiteral("•")},  {QStringLiteral("hellip"), QStringLiteral("…")},
        {QStringLiteral("lsquo"), QStringLiteral("‘")}, {QStringLiteral("rsquo"), QStringLiteral("’")},
        {QStringLiteral("ldquo"), QStringLiteral("“")}, {QStringLiteral("rdquo"), QStringLiteral("”")},
    };
    QString text;
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]+|#x[0-9a-fA-F]+|[a-z]+);"));
    qsizetype from = 0;
    for (auto it = entity.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += body.mid(from, match.capturedStart() - from);
        const QString name = match.captured(1);
        // Numbers above the 16-bit range stand for whole characters, below it for UTF-16 units (unrtf writes
        // the halves of a surrogate pair one by one).
        const uint number = name.startsWith(QLatin1String("#x")) ? name.mid(2).toUInt(nullptr, 16)
                            : name.startsWith(QLatin1Char('#'))  ? name.mid(1).toUInt()
                                                                 : 0;
        if (number > 0xFFFF)
            text += QString::fromUcs4(std::array{char32_t(number)}.data(), 1);
        else if (number > 0)
            text += QChar(char16_t(number));
        else
            text += named.count(name) ? named.at(name) : QStringLiteral("&") + name + QLatin1Char(';');
        from = match.capturedEnd();
    }
    text += body.mid(from);
    return text.split(QLatin1Char('\n'));
}

// Lines with every run of blanks (tabs, no-break spaces, HTML's own line breaks) as one space: how far a
// tab reaches is the reader's business, the characters are not.
QStringList blankFolded(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines) {
        QString folded = line;
        folded.replace(QChar(0x00A0), QLatin1Char(' '));
        result << folded.simplified();
    }
    while (!result.isEmpty() && result.back().isEmpty())
        result.removeLast();
    return result;
}

// An independent reader of the format turns what we save into the text we showed. Its plain-text output
// knows no code pages, so its HTML is read.
TEST_F(RtfTest, unrtfReadsWhatWeSave)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty())
        GTEST_SKIP() << "unrtf is not installed (scripts/setup.sh installs it)";
    QTextDocument document;
    richDocument(document);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("saved.rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(save(document));
    file.close();

    QProcess process;
    process.start(unrtf, {QStringLiteral("--html"), file.fileName()});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    const QStringList read = blankFolded(htmlLines(QString::fromUtf8(process.readAllStandardOutput())));

    QString shown = document.toRawText();
    shown.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    shown.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    EXPECT_EQ(read, blankFolded(shown.split(QLatin1Char('\n'))));
}

} // namespace
