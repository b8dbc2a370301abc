#include <gtest/gtest.h>

#include <ostream>

#include "support/qstringprint.h"
#include "system/tweakrules.h"

namespace {

TEST(ExtensionKey, TakesTheTypedExtensionWithOrWithoutItsDot)
{
    EXPECT_EQ(extensionKey(QStringLiteral("txt")), QStringLiteral(".txt"));
    EXPECT_EQ(extensionKey(QStringLiteral(".txt")), QStringLiteral(".txt"));
    EXPECT_EQ(extensionKey(QStringLiteral("..txt")), QStringLiteral("..txt"));
    EXPECT_EQ(extensionKey(QStringLiteral(" txt")), QStringLiteral(". txt"));
    EXPECT_EQ(extensionKey(QStringLiteral("tar.gz")), QStringLiteral(".tar.gz"));
}

struct LocationCase
{
    const char* location;
    const char* fileName;
    const char* indexText;
};

void PrintTo(const LocationCase& row, std::ostream* out)
{
    *out << row.location;
}

class IconLocationSplit : public testing::TestWithParam<LocationCase>
{
};

TEST_P(IconLocationSplit, CutsAtTheLastComma)
{
    const IconLocation parts = splitIconLocation(QString::fromUtf8(GetParam().location));
    EXPECT_EQ(parts.fileName, QString::fromUtf8(GetParam().fileName));
    EXPECT_EQ(parts.indexText, QString::fromUtf8(GetParam().indexText));
}

INSTANTIATE_TEST_SUITE_P(
    Locations, IconLocationSplit,
    testing::Values(LocationCase{"C:\\WINDOWS\\system32\\shell32.dll,3", "C:\\WINDOWS\\system32\\shell32.dll", "3"},
                    LocationCase{"/usr/share/icons/a,b.png,0", "/usr/share/icons/a,b.png", "0"},
                    LocationCase{"%SystemRoot%\\notepad.exe,-2", "%SystemRoot%\\notepad.exe", "-2"},
                    LocationCase{"\"C:\\Program Files\\x.exe\",1", "\"C:\\Program Files\\x.exe\"", "1"},
                    LocationCase{"txtfile", "", "txtfile"}, LocationCase{"", "", ""}, LocationCase{",5", "", "5"},
                    LocationCase{"x.ico,", "x.ico", ""}, LocationCase{"x.ico, 7", "x.ico", " 7"}));

TEST(OwnIcon, IsExactlyTheFirstPlaceholder)
{
    EXPECT_TRUE(isOwnIcon(QStringLiteral("%1")));
    EXPECT_FALSE(isOwnIcon(QStringLiteral("%1,0")));
    EXPECT_FALSE(isOwnIcon(QStringLiteral(" %1")));
    EXPECT_FALSE(isOwnIcon(QString()));
}

TEST(KeyboardLayoutButton, AlternatesByItsCaption)
{
    const LayoutChoice fromRussian = nextKeyboardLayout(QStringLiteral("RU"));
    EXPECT_EQ(fromRussian.layoutId, QStringLiteral("00000409"));
    EXPECT_EQ(fromRussian.caption, QStringLiteral("EN"));
    const LayoutChoice fromEnglish = nextKeyboardLayout(fromRussian.caption);
    EXPECT_EQ(fromEnglish.layoutId, QStringLiteral("00000419"));
    EXPECT_EQ(fromEnglish.caption, QStringLiteral("RU"));
    // Only the exact caption "RU" chooses English.
    EXPECT_EQ(nextKeyboardLayout(QStringLiteral("ru")).layoutId, QStringLiteral("00000419"));
    EXPECT_EQ(nextKeyboardLayout(QString()).caption, QStringLiteral("RU"));
}

} // namespace
