#include "console/companionlist.h"

#include "common/errors.h"
#include "common/tinifile.h"

#include <optional>

const QString CompanionList::FileName = QStringLiteral("start.ini");
const QString CompanionList::Section = QStringLiteral("запуск");
const QString CompanionList::Mark = QStringLiteral("C++");

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Whether the file holds `text` under a spelling that differs only in letter case, compared the way the INI
// service compares keys; then the spelling it holds, or empty text when that cannot be told.
std::optional<QString> otherSpelling(const TIniFile& ini, const QString& text)
{
    const QString absentA = QStringLiteral("\x01"), absentB = QStringLiteral("\x02");
    const bool held = ini.ReadString(CompanionList::Section, text, absentA) != absentA ||
                      ini.ReadString(CompanionList::Section, text, absentB) != absentB;
    if (!held)
        return std::nullopt;
    const QStringList keys = ini.ReadSection(CompanionList::Section);
    if (keys.contains(text))
        return std::nullopt;
    for (const QString& key : keys) {
        if (key.compare(text, Qt::CaseInsensitive) == 0)
            return key;
    }
    return QString();
}

} // namespace

CompanionList::CompanionList(platform::Platform& platform) : m_platform(platform) {}

void CompanionList::load()
{
    m_items = TIniFile(m_platform, FileName).ReadSection(Section);
}

QString CompanionList::unstorableReason(const QString& text)
{
    if (text.contains(QLatin1Char('=')))
        return QStringLiteral("в нём есть знак «=»");
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QStringLiteral("в нём есть перевод строки");
    if (text.contains(QChar(u'\0')))
        return QStringLiteral("в нём есть нулевой символ");
    if (!text.isEmpty() && (isBlank(text.front()) || isBlank(text.back())))
        return QStringLiteral("он начинается или кончается пробелом");
    if (text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('[')))
        return QStringLiteral("он начинается с «;» или «[»");
    return {};
}

CompanionList::Applied CompanionList::apply(const QString& text)
{
    if (text.isEmpty())
        return Applied::Empty;
    if (m_items.contains(text))
        return Applied::AlreadyListed;
    QString reason = unstorableReason(text);
    TIniFile ini(m_platform, FileName);
    if (reason.isEmpty()) {
        if (const std::optional<QString> other = otherSpelling(ini, text)) {
            const QString held = other->isEmpty() ? QStringLiteral(" такой путь") : QStringLiteral(" «%1»").arg(*other);
            reason = QStringLiteral("в файле уже есть%1, а пути, что отличаются только большими и маленькими "
                                    "буквами, файл не различает")
                         .arg(held);
        }
    }
    if (!reason.isEmpty())
        throw FileError(QStringLiteral("Путь «%1» нельзя запомнить в %2: %3").arg(text, FileName, reason));
    ini.WriteString(Section, text, Mark);
    m_items.append(text);
    return Applied::Added;
}

void CompanionList::deleteAll()
{
    TIniFile ini(m_platform, FileName);
    if (!ini.removeFile())
        throw FileError(QStringLiteral("Не удалось удалить %1").arg(ini.fullPath()));
    m_items.clear();
}

QString CompanionList::filePath() const
{
    return TIniFile(m_platform, FileName).fullPath();
}
