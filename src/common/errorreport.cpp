#include "common/errorreport.h"

#include <exception>

#include "common/dialogs.h"
#include "common/errors.h"

QString errorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorReport(const QString& message)
{
    Dialogs::error(errorReportText(message));
}

void runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorReport(QString::fromUtf8(error.what()));
    }
}
