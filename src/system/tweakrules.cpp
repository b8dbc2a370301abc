#include "system/tweakrules.h"

QString extensionKey(const QString& typed)
{
    return typed.startsWith(QLatin1Char('.')) ? typed : QLatin1Char('.') + typed;
}

IconLocation splitIconLocation(const QString& location)
{
    const qsizetype comma = location.lastIndexOf(QLatin1Char(','));
    if (comma < 0)
        return {QString(), location};
    return {location.left(comma), location.mid(comma + 1)};
}

bool isOwnIcon(const QString& location)
{
    return location == QLatin1String("%1");
}

LayoutChoice nextKeyboardLayout(const QString& caption)
{
    if (caption == QLatin1String("RU"))
        return {QString::fromLatin1(kUsEnglishLayout), QStringLiteral("EN")};
    return {QStringLiteral("00000419"), QStringLiteral("RU")};
}
