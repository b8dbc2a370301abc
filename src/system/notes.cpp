#include "system/notes.h"

namespace notes {

const std::array<QString, 7>& noteNames()
{
    static const std::array<QString, 7> names{QStringLiteral("ДО"), QStringLiteral("РЕ"),   QStringLiteral("МИ"),
                                              QStringLiteral("ФА"), QStringLiteral("СОЛЬ"), QStringLiteral("ЛЯ"),
                                              QStringLiteral("СИ")};
    return names;
}

int beeperFrequency(float stored)
{
    return static_cast<int>(stored);
}

int pitchBarPosition(float stored)
{
    const long double exact = static_cast<long double>(stored) * 10.0L - 4000.0L;
    return static_cast<int>(exact);
}

std::optional<int> noteForCharacter(const QString& typed)
{
    if (typed.size() != 1)
        return std::nullopt;
    const QChar c = typed.front();
    if (c < QLatin1Char('1') || c > QLatin1Char('7'))
        return std::nullopt;
    return c.unicode() - u'1';
}

} // namespace notes
