#include "tools/helpstore.h"

#include "common/tinifile.h"

#include <optional>

namespace HelpStore {

namespace {

constexpr QChar ParagraphSeparator(0x2029);
constexpr QChar Escape(u'%');
// How an empty type or name stands in the file: no typed name is stored this way, since typed double quotes
// alone are escaped.
const QString EmptyStored = QStringLiteral("\"\"");

enum class Role
{
    Type,
    Name
};

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

// The character an escape code at `at` (a "%") stands for; any other "%" is plain text.
std::optional<QChar> codeAt(const QString& text, qsizetype at)
{
    if (at + 2 >= text.size())
        return std::nullopt;
    const int high = hexValue(text[at + 1]);
    const int low = hexValue(text[at + 2]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const char16_t code = char16_t(high * 16 + low);
    switch (code) {
    case 0x00: // NUL, which would end the name for the system's INI functions
    case 0x09: // tab and blank at either end, which the file drops
    case 0x20:
    case 0x0A: // line breaks
    case 0x0D:
    case 0x22: // double quote, in the name of two quotes
    case 0x25: // the escape itself
    case 0x3B: // ";" and "[" opening a name
    case 0x5B:
    case 0x3D: // "=" in a name
    case 0x5D: // "]" in a type
        return QChar(code);
    default:
        return std::nullopt;
    }
}

bool needsEscape(const QString& typed, qsizetype at, qsizetype firstFilled, qsizetype lastFilled, Role role)
{
    const QChar c = typed[at];
    if (c == QChar(0) || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
        return true;
    if (isBlank(c))
        return at < firstFilled || at > lastFilled;
    if (c == Escape)
        return codeAt(typed, at).has_value();
    if (role == Role::Type)
        return c == QLatin1Char(']');
    return c == QLatin1Char('=') || (at == 0 && (c == QLatin1Char('[') || c == QLatin1Char(';')));
}

QString encode(const QString& typed, Role role)
{
    if (typed.isEmpty())
        return EmptyStored;
    if (typed == EmptyStored)
        return QStringLiteral("%22%22");
    qsizetype firstFilled = 0;
    while (firstFilled < typed.size() && isBlank(typed[firstFilled]))
        ++firstFilled;
    qsizetype lastFilled = typed.size() - 1;
    while (lastFilled >= 0 && isBlank(typed[lastFilled]))
        --lastFilled;
    QString stored;
    stored.reserve(typed.size() + 8);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (!needsEscape(typed, i, firstFilled, lastFilled, role)) {
            stored += typed[i];
            continue;
        }
        const char16_t code = typed[i].unicode();
        stored += Escape;
        stored += QLatin1Char("0123456789ABCDEF"[code >> 4]);
        stored += QLatin1Char("0123456789ABCDEF"[code & 0xF]);
    }
    return stored;
}

bool needsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (isBlank(value.front()) || isBlank(value.back()))
        return true;
    const QChar first = value.front();
    return value.size() >= 2 && (first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first;
}

QStringList decodeAll(QStringList stored)
{
    for (QString& name : stored)
        name = decodeName(name);
    return stored;
}

} // namespace

QString encodeDefinition(const QString& definition)
{
    QString value = definition;
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    value.replace(QLatin1Char('\n'), ParagraphSeparator);
    if (needsQuotes(value))
        value = QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

QString decodeDefinition(const QString& stored)
{
    QString value = stored;
    value.replace(ParagraphSeparator, QLatin1Char('\n'));
    return value;
}

QString encodeType(const QString& typed)
{
    return encode(typed, Role::Type);
}

QString encodeName(const QString& typed)
{
    return encode(typed, Role::Name);
}

QString decodeName(const QString& stored)
{
    if (!stored.contains(Escape))
        return stored == EmptyStored ? QString() : stored;
    QString typed;
    typed.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const std::optional<QChar> code = stored[i] == Escape ? codeAt(stored, i) : std::nullopt;
        if (code) {
            typed += *code;
            i += 2;
        } else {
            typed += stored[i];
        }
    }
    return typed;
}

void store(platform::Platform& platform, const QString& type, const QString& name, const QString& definition)
{
    TIniFile ini(platform, FileName);
    ini.WriteString(encodeType(type), encodeName(name), encodeDefinition(definition));
}

QStringList types(platform::Platform& platform)
{
    return decodeAll(TIniFile(platform, FileName).ReadSections());
}

QStringList names(platform::Platform& platform, const QString& type)
{
    return decodeAll(TIniFile(platform, FileName).ReadSection(encodeType(type)));
}

QString definition(platform::Platform& platform, const QString& type, const QString& name)
{
    return decodeDefinition(TIniFile(platform, FileName).ReadString(encodeType(type), encodeName(name), QString()));
}

QString filePath(platform::Platform& platform)
{
    return TIniFile(platform, FileName).fullPath();
}

} // namespace HelpStore
