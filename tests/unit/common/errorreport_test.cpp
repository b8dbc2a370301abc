#include <gtest/gtest.h>

#include "common/errorreport.h"

namespace {

TEST(ErrorReportText, FullStopOnlyAfterCharactersSortingAfterDot)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("'x' is not a valid integer value"), QStringLiteral("'x' is not a valid integer value.")},
        {QStringLiteral("Floating point division by zero"), QStringLiteral("Floating point division by zero.")},
        {QStringLiteral("Готово!"), QStringLiteral("Готово!")},
        {QStringLiteral("Уже с точкой."), QStringLiteral("Уже с точкой.")},
        {QStringLiteral("по-русски"), QStringLiteral("по-русски.")},
        {QStringLiteral("ends with digit 5"), QStringLiteral("ends with digit 5.")},
        {QStringLiteral("ends with comma,"), QStringLiteral("ends with comma,")},
        {QStringLiteral("quoted 'x'"), QStringLiteral("quoted 'x'")},
        {QString(), QString()},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(errorReportText(message), shown) << message.toStdString();
}

} // namespace
