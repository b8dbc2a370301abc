#include "tools/rtf/rtfreader.h"

#include <QByteArray>
#include <QImage>
#include <QRegularExpression>
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
    Carry,       // kept as its bytes where it stands in the text
    CarryHeader, // kept as its bytes before the text
    Picture,
    FieldInstruction,
};

enum class CharacterSet
{
    Low,
    High,
    DoubleByte,
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
    Script script = Script::Normal;
    Caps caps = Caps::None;
    QString link;
    bool listText = false;
    CharacterSet characterSet = CharacterSet::Low;
    int associatedFont = -1;                     // \af: the font of \hich and \dbch text
    Paragraph paragraph;                         // the paragraph formatting (its runs stay empty)
    TabStop::Kind tabKind = TabStop::Kind::Left; // of the next \tx
    int unicodeSkip = 1;
    bool inTable = false;
    bool starred = false;       // \* seen: the next control word opens a destination that may be skipped
    bool owner = false;         // this group opened its destination (and ends it)
    qsizetype start = 0;        // where the group's brace stands
    quint64 shownAtStart = 0;   // what the text had shown when the brace opened
    quint64 reachedAtStart = 0; // the words reaching past their group the text had taken by then
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
    CarriedDestination,
    HeaderDestination,
    Picture,
    PictureFormat,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    FieldInstruction,
    ListText,
    FootnoteMark,
    // character formatting beyond the runs' basics
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    SmallCaps,
    AllCaps,
    LowCharacters,
    HighCharacters,
    DoubleByteCharacters,
    AssociatedFont,
    // paragraph formatting
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    TabCenter,
    TabRight,
    TabDecimal,
    TabPosition,
    PageBreakBefore,
    PageBreak,
    ListNumber,
    ListLevel,
    InTable,
    // tables
    RowDefaults,
    CellBorderSide,
    BorderWidth,
    CellEdge,
    Cell,
    Row,
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
            {"shppict", {Word::ShownDestination}},
            {"pntext", {Word::ListText}},
            {"listtext", {Word::ListText}},
            {"pict", {Word::Picture}},
            {"pngblip", {Word::PictureFormat}},
            {"jpegblip", {Word::PictureFormat}},
            {"emfblip", {Word::PictureFormat}},
            {"wmetafile", {Word::PictureFormat}},
            {"macpict", {Word::PictureFormat}},
            {"dibitmap", {Word::PictureFormat}},
            {"wbitmap", {Word::PictureFormat}},
            {"picw", {Word::PictureWidth}},
            {"pich", {Word::PictureHeight}},
            {"picwgoal", {Word::PictureGoalWidth}},
            {"pichgoal", {Word::PictureGoalHeight}},
            {"picscalex", {Word::PictureScaleX}},
            {"picscaley", {Word::PictureScaleY}},
            {"fldinst", {Word::FieldInstruction}},
            {"chftn", {Word::FootnoteMark}},
            {"super", {Word::Super}},
            {"sub", {Word::Sub}},
            {"nosupersub", {Word::NoSuperSub}},
            {"up", {Word::Up}},
            {"dn", {Word::Down}},
            {"scaps", {Word::SmallCaps}},
            {"caps", {Word::AllCaps}},
            {"loch", {Word::LowCharacters}},
            {"hich", {Word::HighCharacters}},
            {"dbch", {Word::DoubleByteCharacters}},
            {"af", {Word::AssociatedFont}},
            {"li", {Word::LeftIndent}},
            {"ri", {Word::RightIndent}},
            {"fi", {Word::FirstLineIndent}},
            {"sb", {Word::SpaceBefore}},
            {"sa", {Word::SpaceAfter}},
            {"sl", {Word::LineSpacing}},
            {"slmult", {Word::LineMultiple}},
            {"tqc", {Word::TabCenter}},
            {"tqr", {Word::TabRight}},
            {"tqdec", {Word::TabDecimal}},
            {"tx", {Word::TabPosition}},
            {"pagebb", {Word::PageBreakBefore}},
            {"ls", {Word::ListNumber}},
            {"ilvl", {Word::ListLevel}},
            {"intbl", {Word::InTable}},
            {"trowd", {Word::RowDefaults}},
            {"clbrdrt", {Word::CellBorderSide}},
            {"clbrdrl", {Word::CellBorderSide}},
            {"clbrdrb", {Word::CellBorderSide}},
            {"clbrdrr", {Word::CellBorderSide}},
            {"brdrw", {Word::BorderWidth}},
            {"cellx", {Word::CellEdge}},
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
            {"page", {Word::PageBreak}},
            {"row", {Word::Row}},
            {"nestrow", {Word::Paragraph}},
            {"line", {Word::Line}},
            {"tab", {Word::Tab}},
            {"cell", {Word::Cell}},
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
        // Destinations of the document's start the notepad does not show: kept as they are, in front of the text.
        for (const char* name : {"stylesheet",
                                 "info",
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
                                 "userprops",
                                 "docvar",
                                 "template",
                                 "pgdsctbl",
                                 "mmathPr",
                                 "ftnsep",
                                 "ftnsepc",
                                 "aftnsep",
                                 "aftnsepc",
                                 "defchp",
                                 "defpap"})
            result.emplace(name, WordInfo{Word::HeaderDestination});
        // Destinations in the text the notepad does not show: kept as they are, where they stand.
        for (const char* name :
             {"header",   "footer",     "headerl", "headerr",   "headerf",   "footerl", "footerr", "footerf",
              "footnote", "annotation", "atnid",   "atnauthor", "atrfstart", "atrfend", "object",  "shp",
              "do",       "xe",         "tc",      "txe",       "bkmkstart", "bkmkend", "pn",      "private"})
            result.emplace(name, WordInfo{Word::CarriedDestination});
        // Destinations that repeat what is kept otherwise, or stand inside groups kept whole.
        for (const char* name : {"objdata", "nonshppict", "shpinst", "result", "fname", "falt", "panose", "title",
                                 "author", "operator", "keywords", "comment", "subject", "doccomm"})
            result.emplace(name, WordInfo{Word::SkippedDestination});
        return result;
    }();
    return table;
}

// Words whose effect outlasts the group they stand in: the document's code page and default font, and the
// definition of the table row the text goes on with.
bool reachesPastItsGroup(Word word)
{
    switch (word) {
    case Word::Mac:
    case Word::Pc:
    case Word::Pca:
    case Word::AnsiCodePage:
    case Word::DefaultFont:
    case Word::RowDefaults:
    case Word::CellBorderSide:
    case Word::BorderWidth:
    case Word::CellEdge:
        return true;
    default:
        return false;
    }
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

// Bounds on what a file may ask for: the word processors' own limits.
constexpr std::size_t maxTabStops = 64;
constexpr std::size_t maxColumns = 63;

int length(int twips)
{
    return std::clamp(twips, -1000000, 1000000);
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
        m_content.defaultFont = m_defaultFont;
        m_content.codePage = m_codePage;
        if (m_colors.size() > 1)
            m_content.colors.assign(m_colors.begin() + 1, m_colors.end());
        if (!carriesGroups(m_content)) {
            m_content.fontEntries.clear();
            m_content.fontCount = 0;
            m_content.defaultFont = 0;
            m_content.codePage = 0;
            m_content.fontTableSkip = 1;
            m_content.cyrillicFonts.clear();
            m_content.colors.clear();
        }
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
        inner.owner = false;
        inner.start = m_pos - 1;
        inner.shownAtStart = m_shown;
        inner.reachedAtStart = m_reachedPast;
        m_stack.push_back(std::move(inner));
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
        GroupState closing = std::move(m_stack.back());
        m_stack.pop_back();
        m_formatChanged = true;
        if (closing.owner)
            endDestination(closing);
    }

    QByteArray groupBytes(const GroupState& group) const
    {
        return QByteArray(m_data + group.start, m_pos - group.start);
    }

    void endDestination(const GroupState& group)
    {
        switch (group.destination) {
        case Destination::CarryHeader:
            m_content.header += groupBytes(group);
            break;
        case Destination::Carry:
            appendEmbedded({Embedded::Kind::Carried, groupBytes(group), {}, 0, 0});
            break;
        case Destination::Picture:
            endPicture(group);
            break;
        case Destination::FieldInstruction:
            state().link = withPairedSurrogates(keptText(hyperlinkTarget(m_fieldInstruction)));
            m_fieldInstruction.clear();
            break;
        case Destination::FontTable:
            m_content.fontEntries = QByteArray(m_data + m_fontTableStart, m_pos - 1 - m_fontTableStart);
            break;
        default:
            break;
        }
    }

    // Pictures the text can show are kept as their files; others (metafiles, bitmaps of the old kinds) as the
    // group that holds them.
    void endPicture(const GroupState& group)
    {
        QByteArray bytes = std::move(m_pictureBytes);
        m_pictureBytes.clear();
        m_pictureNibble = -1;
        Embedded picture{Embedded::Kind::Carried, groupBytes(group), {}, 0, 0};
        if (m_pictureType == "pngblip" || m_pictureType == "jpegblip") {
            const QByteArray type = m_pictureType == "pngblip" ? "png" : "jpeg";
            QImage image;
            if (image.loadFromData(bytes, type.constData())) {
                const auto scaled = [](int goal, int scale, int pixels) {
                    const long long size = goal > 0 ? goal : static_cast<long long>(pixels) * 15;
                    const long long percent = scale > 0 ? scale : 100;
                    return static_cast<int>(std::clamp<long long>(size * percent / 100, 1, 1000000));
                };
                picture = {Embedded::Kind::Picture, std::move(bytes), type,
                           scaled(m_pictureGoalWidth, m_pictureScaleX, image.width()),
                           scaled(m_pictureGoalHeight, m_pictureScaleY, image.height())};
            }
        }
        appendEmbedded(picture);
    }

    // HYPERLINK "target" or, for a place in the same document, HYPERLINK \l "name".
    static QString hyperlinkTarget(const QString& instruction)
    {
        static const QRegularExpression hyperlink(
            QStringLiteral("^\\s*HYPERLINK\\s+(\\\\l\\s+)?(?:\"([^\"]*)\"|([^\\s\"]+))"));
        const QRegularExpressionMatch match = hyperlink.match(instruction);
        if (!match.hasMatch())
            return {};
        const QString target = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
        return match.hasCaptured(1) && !match.captured(1).isEmpty() ? QLatin1Char('#') + target : target;
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
                if (state().destination == Destination::Picture && m_skip == 0)
                    m_pictureBytes.append(m_data + m_pos,
                                          std::clamp<qsizetype>(word.parameter.value_or(0), 0, m_size - m_pos));
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
            switch (info.word) {
            case Word::FontTable:
            case Word::ColorTable:
            case Word::ShownDestination:
            case Word::ListText:
            case Word::Picture:
            case Word::FieldInstruction:
            case Word::CarriedDestination:
            case Word::HeaderDestination:
            case Word::SkippedDestination:
                break;
            default:
                // A destination this reader does not know: kept whole where it stands.
                openDestination(Destination::Carry);
                return;
            }
        }
        // Inside a picture or a group kept or skipped whole (a footnote's own table, the row of a table nested in
        // a cell) they belong to that group; the text around it must not change with them, nor a save that
        // writes the group back change what the next open shows.
        if (s.destination != Destination::Text && reachesPastItsGroup(info.word))
            return;
        if (reachesPastItsGroup(info.word))
            ++m_reachedPast;
        const int value = word.parameter.value_or(0);
        const bool on = !word.parameter || value != 0;
        m_formatChanged = true;
        switch (info.word) {
        case Word::Ignored:
        case Word::Bin:
        case Word::ShownDestination:
            break;
        case Word::Mac:
            setCodePage(10000);
            break;
        case Word::Pc:
            setCodePage(437);
            break;
        case Word::Pca:
            setCodePage(850);
            break;
        case Word::AnsiCodePage:
            if (value > 0)
                setCodePage(value);
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
            // The first font table of the text is the file's: a later one, or one inside a picture or a skipped
            // group (only a damaged file has them), would give the text fonts that the table kept for the save
            // does not hold.
            if (m_fontTableRead || s.destination != Destination::Text) {
                s.destination = Destination::Skip;
                break;
            }
            m_fontTableRead = true;
            s.destination = Destination::FontTable;
            s.owner = true;
            m_fontTableStart = m_pos;
            m_content.fontTableSkip = s.unicodeSkip;
            break;
        case Word::ColorTable:
            // As with the font table, the first one of the text is the file's.
            if (m_colorTableRead || s.destination != Destination::Text) {
                s.destination = Destination::Skip;
                break;
            }
            m_colorTableRead = true;
            s.destination = Destination::ColorTable;
            break;
        case Word::SkippedDestination:
            s.destination = Destination::Skip;
            break;
        case Word::CarriedDestination:
            openDestination(Destination::Carry);
            break;
        case Word::HeaderDestination:
            openDestination(Destination::CarryHeader);
            break;
        case Word::Picture:
            if (openDestination(Destination::Picture)) {
                m_pictureType.clear();
                m_pictureBytes.clear();
                m_pictureNibble = -1;
                m_pictureGoalWidth = m_pictureGoalHeight = 0;
                m_pictureScaleX = m_pictureScaleY = 100;
            }
            break;
        case Word::PictureFormat:
            if (s.destination == Destination::Picture)
                m_pictureType = QByteArray(word.name.data(), static_cast<qsizetype>(word.name.size()));
            break;
        case Word::PictureWidth:
        case Word::PictureHeight:
            break;
        case Word::PictureGoalWidth:
            m_pictureGoalWidth = std::clamp(value, 0, 1000000);
            break;
        case Word::PictureGoalHeight:
            m_pictureGoalHeight = std::clamp(value, 0, 1000000);
            break;
        case Word::PictureScaleX:
            m_pictureScaleX = std::clamp(value, 1, 10000);
            break;
        case Word::PictureScaleY:
            m_pictureScaleY = std::clamp(value, 1, 10000);
            break;
        case Word::FieldInstruction:
            if (openDestination(Destination::FieldInstruction))
                m_fieldInstruction.clear();
            break;
        case Word::ListText:
            s.listText = true;
            break;
        case Word::FootnoteMark:
            if (s.destination == Destination::Text)
                appendEmbedded({Embedded::Kind::Carried, "{\\chftn}", {}, 0, 0});
            break;
        case Word::Super:
            s.script = on ? Script::Super : Script::Normal;
            break;
        case Word::Sub:
            s.script = on ? Script::Sub : Script::Normal;
            break;
        case Word::NoSuperSub:
            s.script = Script::Normal;
            break;
        case Word::Up:
            s.script = !word.parameter || value > 0 ? Script::Super : Script::Normal;
            break;
        case Word::Down:
            s.script = !word.parameter || value > 0 ? Script::Sub : Script::Normal;
            break;
        case Word::SmallCaps:
            s.caps = on ? Caps::Small : Caps::None;
            break;
        case Word::AllCaps:
            s.caps = on ? Caps::All : Caps::None;
            break;
        case Word::LowCharacters:
            s.characterSet = CharacterSet::Low;
            break;
        case Word::HighCharacters:
            s.characterSet = CharacterSet::High;
            break;
        case Word::DoubleByteCharacters:
            s.characterSet = CharacterSet::DoubleByte;
            break;
        case Word::AssociatedFont:
            s.associatedFont = value;
            break;
        case Word::LeftIndent:
            s.paragraph.leftIndent = length(value);
            break;
        case Word::RightIndent:
            s.paragraph.rightIndent = length(value);
            break;
        case Word::FirstLineIndent:
            s.paragraph.firstLineIndent = length(value);
            break;
        case Word::SpaceBefore:
            s.paragraph.spaceBefore = std::max(0, length(value));
            break;
        case Word::SpaceAfter:
            s.paragraph.spaceAfter = std::max(0, length(value));
            break;
        case Word::LineSpacing:
            // \sl1000 is the word processors' way of saying single spacing.
            s.paragraph.lineSpacing = value == 1000 ? 0 : length(value);
            break;
        case Word::LineMultiple:
            s.paragraph.lineMultiple = value != 0;
            break;
        case Word::TabCenter:
            s.tabKind = TabStop::Kind::Center;
            break;
        case Word::TabRight:
            s.tabKind = TabStop::Kind::Right;
            break;
        case Word::TabDecimal:
            s.tabKind = TabStop::Kind::Decimal;
            break;
        case Word::TabPosition:
            if (s.paragraph.tabs.size() < maxTabStops)
                s.paragraph.tabs.push_back({std::max(0, length(value)), s.tabKind});
            s.tabKind = TabStop::Kind::Left;
            break;
        case Word::PageBreakBefore:
            s.paragraph.pageBreakBefore = on;
            break;
        case Word::PageBreak:
            if (s.destination == Destination::Text) {
                if (!m_runText.isEmpty() || !m_paragraph.runs.empty())
                    paragraphEnd();
                m_pageBreakPending = true;
            }
            break;
        case Word::ListNumber:
            s.paragraph.list = std::max(0, value);
            break;
        case Word::ListLevel:
            s.paragraph.listLevel = std::clamp(value, 0, 8);
            break;
        case Word::InTable:
            s.inTable = on;
            break;
        case Word::RowDefaults:
            m_rowCells.clear();
            m_cellBorder = 0;
            m_cellBorderSide = false;
            break;
        case Word::CellBorderSide:
            m_cellBorderSide = true;
            break;
        case Word::BorderWidth:
            if (m_cellBorderSide)
                m_cellBorder = std::max(m_cellBorder, std::clamp(value, 0, 1000));
            break;
        case Word::CellEdge:
            if (m_rowCells.size() < maxColumns)
                m_rowCells.push_back({std::clamp(value, 0, maxCellEdge), m_cellBorder});
            m_cellBorder = 0;
            m_cellBorderSide = false;
            break;
        case Word::Cell:
            paragraphEnd(true);
            break;
        case Word::Row:
            rowEnd();
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
            if (s.destination != Destination::ColorTable)
                break;
            m_red = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Green:
            if (s.destination != Destination::ColorTable)
                break;
            m_green = std::clamp(value, 0, 255);
            m_colorGiven = true;
            break;
        case Word::Blue:
            if (s.destination != Destination::ColorTable)
                break;
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
            s.script = Script::Normal;
            s.caps = Caps::None;
            break;
        case Word::ParagraphDefaults:
            s.alignment = Qt::AlignLeft;
            s.paragraph = {};
            s.inTable = false;
            s.tabKind = TabStop::Kind::Left;
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

    // The file's code page is one for the whole file, and its font table and the groups carried from it are
    // written back under it: it is set in the file's header, before the font table and the text.
    void setCodePage(int codePage)
    {
        if (!m_fontTableRead && m_shown == 0)
            m_codePage = codePage;
    }

    // A destination opened in the text becomes this group's own; anywhere else (inside a group kept or skipped
    // whole) it is passed over.
    bool openDestination(Destination destination)
    {
        GroupState& s = state();
        // A group kept as its bytes from its brace on must not also have shown something in the text before
        // its destination word (as in "{\*text\word ...}"), nor have set a row's cells or the document's code
        // page there (as in "{\cellx\*\word}"): the next open would read that twice.
        const bool keptFromBrace = destination == Destination::Carry || destination == Destination::CarryHeader ||
                                   destination == Destination::Picture;
        const bool tookPart = m_shown != s.shownAtStart || m_reachedPast != s.reachedAtStart;
        if (s.destination != Destination::Text || m_stack.size() < 2 || (keptFromBrace && tookPart)) {
            s.destination = Destination::Skip;
            return false;
        }
        s.destination = destination;
        s.owner = true;
        return true;
    }

    void appendEmbedded(Embedded embedded)
    {
        flushBytes();
        if (state().destination != Destination::Text)
            return;
        commitRun();
        m_paragraph.runs.push_back({{}, currentFormat(), std::move(embedded)});
        ++m_shown;
        m_afterParagraph = false;
    }

    void pictureByte(unsigned char byte)
    {
        const int nibble = hexValue(static_cast<char>(byte));
        if (nibble < 0)
            return;
        if (m_pictureNibble < 0) {
            m_pictureNibble = nibble;
        } else {
            m_pictureBytes.append(static_cast<char>(m_pictureNibble * 16 + nibble));
            m_pictureNibble = -1;
        }
    }

    void unicodeCharacter(int value)
    {
        if (value >= 0xF020 && value <= 0xF0FF && isSymbolCodePage(textCodePage())) {
            // Symbol fonts' characters in the private area Windows puts them in.
            appendText(decode(QByteArray(1, static_cast<char>(value - 0xF000)), textCodePage()));
            return;
        }
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

    // Double-byte text may name its font apart from the single-byte text around it.
    int textCodePage() const
    {
        const GroupState& s = state();
        if (s.characterSet == CharacterSet::DoubleByte && s.associatedFont >= 0) {
            const int codePage = fontCodePage(s.associatedFont);
            if (codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950)
                return codePage;
        }
        return fontCodePage(s.font);
    }

    // A byte of text, raw or as \'xx; escaped ones never end a table entry.
    void textByte(unsigned char byte, bool escaped = false)
    {
        const GroupState& s = state();
        switch (s.destination) {
        case Destination::Skip:
        case Destination::Carry:
        case Destination::CarryHeader:
            return;
        case Destination::Picture:
            pictureByte(byte);
            return;
        case Destination::FieldInstruction:
            queueByte(byte, fontCodePage(s.font));
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
            // A symbol font's name is letters all the same.
            queueByte(byte, m_fontCodePage > 0 && !isSymbolCodePage(m_fontCodePage) ? m_fontCodePage : m_codePage);
            return;
        case Destination::Text:
            queueByte(byte, textCodePage());
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
        if (s.destination == Destination::FieldInstruction) {
            if (m_fieldInstruction.size() < 4096)
                m_fieldInstruction += text;
            return;
        }
        if (s.destination != Destination::Text)
            return;
        if (s.hidden) {
            // Shows nothing, but a group it stands in is no longer one to carry whole: written back where the
            // text is not hidden, the group would show it.
            ++m_shown;
            return;
        }
        if (m_formatChanged) {
            const CharFormat format = currentFormat();
            if (!(format == m_runFormat)) {
                commitRun();
                m_runFormat = format;
            }
            m_formatChanged = false;
        }
        m_runText += keptText(text);
        ++m_shown;
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
        format.script = s.script;
        format.caps = s.caps;
        format.link = s.link;
        format.listText = s.listText;
        return format;
    }

    void commitRun()
    {
        if (m_runText.isEmpty())
            return;
        m_paragraph.runs.push_back({withPairedSurrogates(m_runText), m_runFormat, {}});
        m_runText.clear();
    }

    void paragraphEnd(bool cellEnd = false)
    {
        if (state().destination != Destination::Text)
            return;
        flushBytes();
        commitRun();
        pushParagraph(cellEnd);
        ++m_shown;
        m_afterParagraph = true;
    }

    void pushParagraph(bool cellEnd)
    {
        const GroupState& s = state();
        Paragraph paragraph = s.paragraph;
        paragraph.alignment = s.alignment;
        paragraph.runs = std::move(m_paragraph.runs);
        m_paragraph = {};
        paragraph.pageBreakBefore = paragraph.pageBreakBefore || m_pageBreakPending;
        m_pageBreakPending = false;
        if (cellEnd || s.inTable) {
            if (m_table < 0) {
                m_table = static_cast<int>(m_content.tables.size());
                m_content.tables.emplace_back();
                m_row = 0;
                m_column = 0;
            }
            paragraph.table = m_table;
            paragraph.row = m_row;
            paragraph.column = std::min(m_column, static_cast<int>(maxColumns) - 1);
            if (cellEnd)
                ++m_column;
        } else {
            m_table = -1;
            paragraph.table = -1;
            paragraph.row = paragraph.column = 0;
        }
        m_content.paragraphs.push_back(std::move(paragraph));
    }

    void rowEnd()
    {
        if (state().destination != Destination::Text)
            return;
        flushBytes();
        commitRun();
        // Text after the row's last cell mark belongs to one more cell.
        if (!m_afterParagraph || !m_paragraph.runs.empty())
            paragraphEnd(true);
        // Only rows that hold cells count, so that a table has no more rows than paragraphs.
        if (m_table >= 0 && m_content.paragraphs.back().row == m_row) {
            m_content.tables[static_cast<std::size_t>(m_table)].rows.push_back(m_rowCells);
            ++m_row;
            m_column = 0;
        }
        m_afterParagraph = true;
    }

    void commitFont()
    {
        // A number the table gives again (only a damaged file does) keeps its first typeface, as the save does; one
        // past the highest a file may use is passed over.
        if (m_fontNumber >= 0 && m_fontNumber <= maxFontNumber && !m_fonts.count(m_fontNumber)) {
            const QString name = withPairedSurrogates(keptText(m_fontName)).trimmed();
            int codePage = m_fontCodePage;
            if (codePage == SymbolCodePage && name.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive))
                codePage = WingdingsCodePage;
            m_fonts[m_fontNumber] = {name, codePage};
            m_content.fontCount = std::max(m_content.fontCount, m_fontNumber + 1);
            if (codePage == 1251 || (codePage == 0 && m_codePage == 1251))
                m_content.cyrillicFonts.emplace_back(m_fontNumber, name);
        }
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
        if (!m_afterParagraph || !m_paragraph.runs.empty())
            pushParagraph(false);
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

    qsizetype m_fontTableStart = 0;
    bool m_fontTableRead = false;
    bool m_colorTableRead = false;
    QByteArray m_pictureType;
    QByteArray m_pictureBytes;
    int m_pictureNibble = -1;
    int m_pictureGoalWidth = 0, m_pictureGoalHeight = 0;
    int m_pictureScaleX = 100, m_pictureScaleY = 100;
    QString m_fieldInstruction;
    bool m_pageBreakPending = false;
    quint64 m_shown = 0;       // counts what the text has shown: runs, hidden text, embedded parts and paragraph ends
    quint64 m_reachedPast = 0; // counts the words the text has taken that reach past their group
    int m_table = -1;          // the table the paragraphs go into, -1 none
    int m_row = 0;
    int m_column = 0;
    std::vector<TableCell> m_rowCells;
    int m_cellBorder = 0;
    bool m_cellBorderSide = false;

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
