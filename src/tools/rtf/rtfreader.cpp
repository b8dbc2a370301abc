#include "tools/rtf/rtfreader.h"

#include <QByteArray>
#include <algorithm>
#include <climits>
#include <map>
#include <string_view>
#include <unordered_map>

#include "tools/rtf/codepage.h"

namespace rtf {
namespace {

enum class Destination
{
    Text,
    FontTable,
    ColorTable,
    Skip,
};

// What a group inherits from its parent and gets back when it closes.
struct GroupState
{
    Destination destination = Destination::Text;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int foreground = 0; // colour table indexes; 0 is the automatic colour
    int background = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1;
    bool starred = false; // \* seen: the next control word opens a destination that may be skipped
};

struct Font
{
    QString name;
    int codePage = 0; // 0: the document's code page
};

enum class Word
{
    Ignored,
    // document
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    Bin,
    // destinations
    FontTable,
    ColorTable,
    SkippedDestination,
    ShownDestination,
    // font and colour tables
    Font,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // character formatting
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Foreground,
    Background,
    Hidden,
    Plain,
    // paragraphs
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    Paragraph,
    Line,
    Tab,
    Character,
};

struct WordInfo
{
    Word word;
    char16_t character = 0; // Word::Character
};

const std::unordered_map<std::string_view, WordInfo>& words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> result{
            {"mac", {Word::Mac}},
            {"pc", {Word::Pc}},
            {"pca", {Word::Pca}},
            {"ansicpg", {Word::AnsiCodePage}},
            {"deff", {Word::DefaultFont}},
            {"uc", {Word::UnicodeSkip}},
            {"u", {Word::Unicode}},
            {"bin", {Word::Bin}},
            {"fonttbl", {Word::FontTable}},
            {"colortbl", {Word::ColorTable}},
            {"fldrslt", {Word::ShownDestination}},
            {"pntext", {Word::ShownDestination}},
            {"listtext", {Word::ShownDestination}},
            {"f", {Word::Font}},
            {"fcharset", {Word::FontCharset}},
            {"cpg", {Word::FontCodePage}},
            {"red", {Word::Red}},
            {"green", {Word::Green}},
            {"blue", {Word::Blue}},
            {"b", {Word::Bold}},
            {"i", {Word::Italic}},
            {"ulnone", {Word::UnderlineNone}},
            {"strike", {Word::Strike}},
            {"striked", {Word::Strike}},
            {"fs", {Word::FontSize}},
            {"cf", {Word::Foreground}},
            {"cb", {Word::Background}},
            {"highlight", {Word::Background}},
            {"chcbpat", {Word::Background}},
            {"v", {Word::Hidden}},
            {"plain", {Word::Plain}},
            {"pard", {Word::ParagraphDefaults}},
            {"ql", {Word::AlignLeft}},
            {"qc", {Word::AlignCenter}},
            {"qr", {Word::AlignRight}},
            {"qj", {Word::AlignJustify}},
            {"qd", {Word::AlignJustify}},
            {"par", {Word::Paragraph}},
            {"sect", {Word::Paragraph}},
            {"page", {Word::Paragraph}},
            {"row", {Word::Paragraph}},
            {"nestrow", {Word::Paragraph}},
            {"line", {Word::Line}},
            {"tab", {Word::Tab}},
            {"cell", {Word::Tab}},
            {"nestcell", {Word::Tab}},
            {"emdash", {Word::Character, 0x2014}},
            {"endash", {Word::Character, 0x2013}},
            {"emspace", {Word::Character, 0x2003}},
            {"enspace", {Word::Character, 0x2002}},
            {"qmspace", {Word::Character, 0x2005}},
            {"bullet", {Word::Character, 0x2022}},
            {"lquote", {Word::Character, 0x2018}},
            {"rquote", {Word::Character, 0x2019}},
            {"ldblquote", {Word::Character, 0x201C}},
            {"rdblquote", {Word::Character, 0x201D}},
            {"zwj", {Word::Character, 0x200D}},
            {"zwnj", {Word::Character, 0x200C}},
            {"ltrmark", {Word::Character, 0x200E}},
            {"rtlmark", {Word::Character, 0x200F}},
        };
        // Every kind of underline but the colour of one (\ulc).
        for (const char* name :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
              "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            result.emplace(name, WordInfo{Word::Underline});
        // Destinations whose text is not part of the document's body.
        for (const char* name : {"stylesheet",
                                 "info",
                                 "pict",
                                 "object",
                                 "objdata",
                                 "header",
                                 "footer",
                                 "headerl",
                                 "headerr",
                                 "headerf",
                                 "footerl",
                                 "footerr",
                                 "footerf",
                                 "footnote",
                                 "fldinst",
                                 "xe",
                                 "tc",
                                 "txe",
                                 "annotation",
                                 "atnid",
                                 "atnauthor",
                                 "listtable",
                                 "listoverridetable",
                                 "rsidtbl",
                                 "revtbl",
                                 "filetbl",
                                 "themedata",
                                 "colorschememapping",
                                 "latentstyles",
                                 "datastore",
                                 "xmlnstbl",
                                 "generator",
                                 "nonshppict",
                                 "shp",
                                 "shpinst",
                                 "do",
                                 "private",
                                 "userprops",
                                 "docvar",
                                 "template",
                                 "pgdsctbl",
                                 "mmathPr",
                                 "pn",
                                 "bkmkstart",
                                 "bkmkend",
                                 "result",
                                 "fname",
                                 "falt",
                                 "panose",
                                 "title",
                                 "author",
                                 "operator",
                                 "keywords",
                                 "comment",
                                 "subject",
                                 "doccomm"})
            result.emplace(name, WordInfo{Word::SkippedDestination});
        return result;
    }();
    return table;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString keptText(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (keptInText(c))
            kept += c;
    }
    return kept;
}

struct ControlWord
{
    std::string_view name;
    std::optional<int> parameter;
};

class Reader
{
public:
    explicit Reader(QByteArrayView data) : m_data(data.data()), m_size(data.size()) {}

    Content run()
    {
        while (m_pos < m_size && !m_done) {
            if (m_excess > 0) {
                passDeepGroup();
                continue;
            }
            const char c = m_data[m_pos++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                if (m_skip > 0)
                    --m_skip;
                else
                    textByte(static_cast<unsigned char>(c));
                break;
            }
        }
        finish();
        return normalized(std::move(m_content));
    }

private:
    GroupState& state() { return m_stack.back(); }
    const GroupState& state() const { return m_stack.back(); }

    // Groups nested deeper than maxDepth are passed over whole: only their braces are counted, and escapes and
    // \bin data are stepped over so that they do not count as braces.
    void passDeepGroup()
    {
        const char c = m_data[m_pos++];
        if (c == '{') {
            ++m_excess;
        } else if (c == '}') {
            --m_excess;
        } else if (c == '\\' && m_pos < m_size) {
            if (isLetter(m_data[m_pos])) {
                const ControlWord word = readControlWord();
                if (word.name == "bin")
                    skipBinary(word.parameter);
            } else {
                ++m_pos;
            }
        }
    }

    void openGroup()
    {
        flushBytes();
        m_skip = 0;
        if (m_stack.empty()) {
            m_stack.emplace_back();
            return;
        }
        if (static_cast<int>(m_stack.size()) >= maxDepth) {
            m_excess = 1;
            return;
        }
        GroupState inner = state();
        inner.starred = false;
        m_stack.push_back(inner);
    }

    void closeGroup()
    {
        flushBytes();
        m_skip = 0;
        if (m_stack.empty())
            return;
        if (state().destination == Destination::FontTable && (!m_fontName.isEmpty() || m_fontNumber >= 0))
            commitFont();
        if (m_stack.size() == 1) {
            // The document's own group: what follows it is not part of the document.
            m_done = true;
            return;
        }
        m_stack.pop_back();
        m_formatChanged = true;
    }

    ControlWord readControlWord()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_size && isLetter(m_data[m_pos]))
            ++m_pos;
        // Longer names than the format allows name nothing we know; their letters are passed over all the same.
        const std::string_view name(m_data + start, static_cast<std::size_t>(std::min<qsizetype>(m_pos - start, 32)));
        std::optional<int> parameter;
        const bool negative = m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1]);
        if (negative)
            ++m_pos;
        if (m_pos < m_size && isDigit(m_data[m_pos])) {
            long long value = 0;
            int digits = 0;
            while (m_pos < m_size && isDigit(m_data[m_pos])) {
                if (digits++ < maxNumberDigits)
                    value = value * 10 + (m_data[m_pos] - '0');
                ++m_pos;
            }
            if (negative)
                value = -value;
            parameter = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
        }
        if (m_pos < m_size && m_data[m_pos] == ' ')
            ++m_pos;
        return {name, parameter};
    }

    void skipBinary(std::optional<int> length)
    {
        const qsizetype bytes = std::clamp<qsizetype>(length.value_or(0), 0, m_size - m_pos);
        m_pos += bytes;
    }

    void control()
    {
        if (m_pos >= m_size)
            return;
        const char c = m_data[m_pos];
        if (isLetter(c)) {
            const ControlWord word = readControlWord();
            if (word.name == "bin") {
                flushBytes();
                skipBinary(word.parameter);
                if (m_skip > 0)
                    --m_skip;
                return;
            }
            if (m_skip > 0) {
                --m_skip;
                return;
            }
            flushBytes();
            controlWord(word);
            return;
        }
        ++m_pos;
        if (c == '\'') {
            int value = 0;
            for (int digits = 0; digits < 2 && m_pos < m_size && hexValue(m_data[m_pos]) >= 0; ++digits)
                value = value * 16 + hexValue(m_data[m_pos++]);
            if (m_skip > 0)
                --m_skip;
            else
                textByte(static_cast<unsigned char>(value), true);
            return;
        }
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textByte(static_cast<unsigned char>(c), true);
            break;
        case '~':
            appendText(QString(QChar(0x00A0)));
            break;
        case '_':
            appendText(QString(QChar(0x2011)));
            break;
        case '*':
            flushBytes();
            state().starred = true;
            break;
        case '\r':
        case '\n':
            flushBytes();
            paragraphEnd();
            break;
        default: // \- (optional hyphen), \| and \: (index entries) and anything unknown show nothing
            break;
        }
    }

    void controlWord(const ControlWord& word)
    {
        const auto found = words().find(word.name);
        const WordInfo info = found == words().end() ? WordInfo{Word::Ignored} : found->second;
        GroupState& s = state();
        if (s.starred) {
            s.starred = false;
            if (info.word != Word::FontTable && info.word != Word::ColorTable && info.word != Word::ShownDestination) {
                s.destination = Destination::Skip;
                return;
            }
        }
        const int value = word.parameter.value_or(0);
        const bool on = !word.parameter || value != 0;
        m_formatChanged = true;
        switch (info.word) {
        case Word::Ignored:
        case Word::Bin:
        case Word::ShownDestination:
            break;
        case Word::Mac:
            m_codePage = 10000;
            break;
        case Word::Pc:
            m_codePage = 437;
            break;
        case Word::Pca:
            m_codePage = 850;
            break;
        case Word::AnsiCodePage:
            if (value > 0)
                m_codePage = value;
            break;
        case Word::DefaultFont:
            m_defaultFont = value;
            break;
        case Word::UnicodeSkip:
            s.unicodeSkip = std::clamp(value, 0, 64);
            break;
        case Word::Unicode:
            if (word.parameter) {
                unicodeCharacter(value);
                m_skip = s.unicodeSkip;
            }
            break;
        case Word::FontTable:
            s.destination = Destination::FontTable;
            break;
        case Word::ColorTable:
            s.destination = Destination::ColorTable;
            break;
        case Word::SkippedDestination:
            s.destination = Destination::Skip;
            break;
        case Word::Font:
            if (s.destination == Destination::FontTable) {
                if (!m_fontName.isEmpty())
                    commitFont();
                m_fontNumber = value;
                m_fontCodePage = 0;
            } else {
                s.font = value;
            }
            break;
        case Word::FontCharset:
            if (s.destination == Destination::FontTable)
                m_fontCodePage = codePageOfCharset(value);
            break;
        case Word::FontCodePage:
            if (s.destination == Destination::FontTable && value > 0)
                m_fontCodePage = value;
            break;
        case Word::Red:
            m_red = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Green:
            m_green = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Blue:
            m_blue = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Bold:
            s.bold = on;
            break;
        case Word::Italic:
            s.italic = on;
            break;
        case Word::Underline:
            s.underline = on;
            break;
        case Word::UnderlineNone:
            s.underline = false;
            break;
        case Word::Strike:
            s.strike = on;
            break;
        case Word::FontSize:
            s.halfPoints = word.parameter ? std::clamp(value, minHalfPoints, maxHalfPoints) : 24;
            break;
        case Word::Foreground:
            s.foreground = value;
            break;
        case Word::Background:
            s.background = value;
            break;
        case Word::Hidden:
            s.hidden = on;
            break;
        case Word::Plain:
            s.font = -1;
            s.halfPoints = 24;
            s.bold = s.italic = s.underline = s.strike = s.hidden = false;
            s.foreground = s.background = 0;
            break;
        case Word::ParagraphDefaults:
            s.alignment = Qt::AlignLeft;
            break;
        case Word::AlignLeft:
            s.alignment = Qt::AlignLeft;
            break;
        case Word::AlignCenter:
            s.alignment = Qt::AlignHCenter;
            break;
        case Word::AlignRight:
            s.alignment = Qt::AlignRight;
            break;
        case Word::AlignJustify:
            s.alignment = Qt::AlignJustify;
            break;
        case Word::Paragraph:
            paragraphEnd();
            break;
        case Word::Line:
            appendText(QString(QChar(QChar::LineSeparator)));
            break;
        case Word::Tab:
            appendText(QStringLiteral("\t"));
            break;
        case Word::Character:
            appendText(QString(QChar(info.character)));
            break;
        }
    }

    void unicodeCharacter(int value)
    {
        if (value < 0)
            value += 0x10000; // the format writes characters above 32767 as negative 16-bit numbers
        if (value < 0 || value > 0x10FFFF) {
            appendText(QString(QChar(QChar::ReplacementCharacter)));
            return;
        }
        // Not QString::fromUcs4: it takes a U+FEFF standing alone for a byte order mark and drops it.
        const char32_t character = static_cast<char32_t>(value);
        if (QChar::requiresSurrogates(character)) {
            const QChar pair[2] = {QChar(QChar::highSurrogate(character)), QChar(QChar::lowSurrogate(character))};
            appendText(QString(pair, 2));
        } else {
            appendText(QString(QChar(static_cast<char16_t>(character))));
        }
    }

    int fontCodePage(int number) const
    {
        const auto it = m_fonts.find(number < 0 ? m_defaultFont : number);
        return it != m_fonts.end() && it->second.codePage > 0 ? it->second.codePage : m_codePage;
    }

    // A byte of text, raw or as \'xx; escaped ones never end a table entry.
    void textByte(unsigned char byte, bool escaped = false)
    {
        const GroupState& s = state();
        switch (s.destination) {
        case Destination::Skip:
            return;
        case Destination::ColorTable:
            if (byte == ';' && !escaped)
                commitColor();
            return;
        case Destination::FontTable:
            if (byte == ';' && !escaped) {
                flushBytes();
                commitFont();
                return;
            }
            queueByte(byte, m_fontCodePage > 0 ? m_fontCodePage : m_codePage);
            return;
        case Destination::Text:
            queueByte(byte, fontCodePage(s.font));
            return;
        }
    }

    // Bytes wait until the text goes on otherwise, so that a double-byte code page sees its pairs together.
    void queueByte(unsigned char byte, int codePage)
    {
        if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
            flushBytes();
        m_bytesCodePage = codePage;
        m_bytes.append(static_cast<char>(byte));
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QString text = decode(m_bytes, m_bytesCodePage);
        m_bytes.clear();
        appendText(text);
    }

    void appendText(const QString& text)
    {
        if (!m_bytes.isEmpty())
            flushBytes();
        const GroupState& s = state();
        if (s.destination == Destination::FontTable) {
            m_fontName += text;
            return;
        }
        if (s.destination != Destination::Text || s.hidden)
            return;
        if (m_formatChanged) {
            const CharFormat format = currentFormat();
            if (!(format == m_runFormat)) {
                commitRun();
                m_runFormat = format;
            }
            m_formatChanged = false;
        }
        m_runText += keptText(text);
        m_afterParagraph = false;
    }

    QColor colorAt(int index) const
    {
        if (index <= 0 || index >= static_cast<int>(m_colors.size()))
            return {};
        return m_colors[static_cast<std::size_t>(index)];
    }

    CharFormat currentFormat() const
    {
        const GroupState& s = state();
        CharFormat format;
        const auto font = m_fonts.find(s.font < 0 ? m_defaultFont : s.font);
        if (font != m_fonts.end())
            format.family = font->second.name;
        format.halfPoints = s.halfPoints;
        format.bold = s.bold;
        format.italic = s.italic;
        format.underline = s.underline;
        format.strike = s.strike;
        format.foreground = colorAt(s.foreground);
        format.background = colorAt(s.background);
        return format;
    }

    void commitRun()
    {
        if (m_runText.isEmpty())
            return;
        m_paragraph.runs.push_back({withPairedSurrogates(m_runText), m_runFormat});
        m_runText.clear();
    }

    void paragraphEnd()
    {
        if (state().destination != Destination::Text)
            return;
        commitRun();
        m_paragraph.alignment = state().alignment;
        m_content.paragraphs.push_back(std::move(m_paragraph));
        m_paragraph = {};
        m_afterParagraph = true;
    }

    void commitFont()
    {
        if (m_fontNumber >= 0)
            m_fonts[m_fontNumber] = {withPairedSurrogates(keptText(m_fontName)).trimmed(), m_fontCodePage};
        m_fontName.clear();
        m_fontNumber = -1;
        m_fontCodePage = 0;
    }

    void commitColor()
    {
        m_colors.push_back(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }

    // The last \par ends the last paragraph rather than starting an empty one.
    void finish()
    {
        if (m_stack.empty())
            return;
        flushBytes();
        commitRun();
        if (!m_afterParagraph || !m_paragraph.runs.empty()) {
            m_paragraph.alignment = state().alignment;
            m_content.paragraphs.push_back(std::move(m_paragraph));
        }
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_done = false;
    int m_excess = 0; // depth of the groups being passed over below maxDepth
    int m_skip = 0;   // fallback characters of a \uN still to pass over
    std::vector<GroupState> m_stack;

    int m_codePage = 1251;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    QString m_fontName;
    int m_fontNumber = -1;
    int m_fontCodePage = 0;
    std::vector<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    QByteArray m_bytes;
    int m_bytesCodePage = 0;

    Content m_content;
    Paragraph m_paragraph;
    QString m_runText;
    CharFormat m_runFormat;
    bool m_formatChanged = true;
    bool m_afterParagraph = false;
};

} // namespace

bool isRtf(QByteArrayView data)
{
    return data.startsWith("{\\rtf");
}

std::optional<Content> read(QByteArrayView data)
{
    if (!isRtf(data))
        return std::nullopt;
    return Reader(data).run();
}

} // namespace rtf
