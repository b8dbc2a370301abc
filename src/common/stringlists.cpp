#include "common/stringlists.h"

QStringList toQStringList(const std::vector<std::string>& texts)
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        result << QString::fromStdString(text);
    return result;
}
