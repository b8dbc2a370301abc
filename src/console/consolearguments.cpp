#include "console/consolearguments.h"

#include "common/errors.h"
#include "common/strtoint.h"

namespace ConsoleArguments {

int hideInterval(const QString& argument)
{
    const QString text = argument.isEmpty() ? QString::number(DefaultHideInterval) : argument;
    const qint32 interval = StrToInt(text);
    if (interval <= 0)
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return interval;
}

CdDoor cdDoor(const QString& argument)
{
    if (argument == QLatin1String("1"))
        return CdDoor::Open;
    if (argument == QLatin1String("0"))
        return CdDoor::Close;
    if (argument.isEmpty())
        return CdDoor::AskWhich;
    return CdDoor::Ignore;
}

bool isExactlyOne(const QString& argument)
{
    return argument == QLatin1String("1");
}

} // namespace ConsoleArguments
