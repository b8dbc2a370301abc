#include "tools/helpstore.h"

#include "common/tinifile.h"

namespace HelpStore {

namespace {

constexpr QChar ParagraphSeparator(0x2029);

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// What the INI layer would take away when reading the value back.
bool needsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (isBlank(value.front()) || isBlank(value.back()))
        return true;
    const QChar first = value.front();
    return value.size() >= 2 && (first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first;
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

QString storedName(const QString& typed)
{
    return typed.isEmpty() ? EmptyName : typed;
}

void store(platform::Platform& platform, const QString& type, const QString& name, const QString& definition)
{
    TIniFile ini(platform, FileName);
    ini.WriteString(storedName(type), storedName(name), encodeDefinition(definition));
}

QStringList types(platform::Platform& platform)
{
    return TIniFile(platform, FileName).ReadSections();
}

QStringList names(platform::Platform& platform, const QString& type)
{
    return TIniFile(platform, FileName).ReadSection(storedName(type));
}

QString definition(platform::Platform& platform, const QString& type, const QString& name)
{
    return decodeDefinition(TIniFile(platform, FileName).ReadString(storedName(type), storedName(name), QString()));
}

QString filePath(platform::Platform& platform)
{
    return TIniFile(platform, FileName).fullPath();
}

} // namespace HelpStore
