#include <gtest/gtest.h>

#include "media/addresslist.h"

namespace {

const QStringList Presets{"https://www.yandex.ru", "https://www.mail.ru"};

struct HoldsRow
{
    const char* name;
    QString address;
    bool held;
};

class AddressList : public testing::TestWithParam<HoldsRow>
{
};

TEST_P(AddressList, ComparesExactly)
{
    EXPECT_EQ(addresslist::holds(Presets, GetParam().address), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressList,
                         testing::Values(HoldsRow{"preset", "https://www.mail.ru", true}, HoldsRow{"empty", "", true},
                                         HoldsRow{"otherCase", "https://www.Mail.ru", false},
                                         HoldsRow{"trailingSlash", "https://www.mail.ru/", false},
                                         HoldsRow{"blankAround", " https://www.mail.ru", false},
                                         HoldsRow{"new", "http://127.0.0.1:8080/", false}),
                         [](const testing::TestParamInfo<HoldsRow>& info) { return info.param.name; });

TEST(AddressForBrowser, IsCutAfterTheNinetyNinthCharacter)
{
    const QString address = QStringLiteral("http://example.org/") + QString(101, QLatin1Char('a'));
    ASSERT_EQ(address.size(), 120);
    EXPECT_EQ(addresslist::forBrowser(address), address.left(99));
    const QString short99 = address.left(99);
    EXPECT_EQ(addresslist::forBrowser(short99), short99);
    EXPECT_EQ(addresslist::forBrowser(QString()), QString());
}

} // namespace
