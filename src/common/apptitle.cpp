#include "common/apptitle.h"

#include <QCoreApplication>

namespace {
QString& title()
{
    static QString value = QStringLiteral("Тромбус");
    return value;
}
} // namespace

QString applicationTitle()
{
    return title();
}

void setApplicationTitle(const QString& text)
{
    title() = text;
    if (QCoreApplication::instance())
        QCoreApplication::setApplicationName(text);
}
