#include <gtest/gtest.h>

#include "common/errors.h"
#include "console/commandtable.h"
#include "console/consolearguments.h"
#include "console/consoleline.h"
#include "console/consoletexts.h"

#include "unit/console/configfolder.h"

namespace {

struct LineCase
{
    const char* name;
    const char* line;
    std::optional<int> index; // nothing: no slot matches
    const char* argument;
};

class ConsoleLineLookup : public testing::TestWithParam<LineCase>
{
};

TEST_P(ConsoleLineLookup, FindsSlotAndArgument)
{
    const LineCase& c = GetParam();
    const std::optional<ConsoleCall> call = findConsoleCommand(QString::fromUtf8(c.line));
    ASSERT_EQ(call.has_value(), c.index.has_value());
    if (!call)
        return;
    EXPECT_EQ(call->index, *c.index);
    EXPECT_EQ(call->argument, QString::fromUtf8(c.argument));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleLineLookup,
    testing::Values(LineCase{"help", "help", 7, ""}, LineCase{"capitalisedHelp", "Help", std::nullopt, ""},
                    LineCase{"shoutedHelp", "HELP", std::nullopt, ""},
                    LineCase{"lowerCaseZq5", "zq5", std::nullopt, ""},
                    LineCase{"zq5IgnoresArgument", "ZQ5 anything", 0, "anything"}, LineCase{"hideAlone", "hide", 5, ""},
                    LineCase{"hideWithTime", "hide 2000", 5, "2000"},
                    LineCase{"nameKeepsInnerSpaces", "Form_name two words", 1, "two words"},
                    LineCase{"nameAloneIsEmpty", "Form_name", 1, ""}, LineCase{"spaceThenNothing", "Form_name ", 1, ""},
                    LineCase{"argumentUntrimmed", "Form_name   x ", 1, "  x "},
                    LineCase{"cyrillicArgument", "Form_name Тромбус", 1, "Тромбус"},
                    LineCase{"tabIsNoSeparator", "help\tme", std::nullopt, ""},
                    LineCase{"serviceWithOne", "-=Kr@nTOS_314=- 1", 8, "1"}, LineCase{"cdWithTwo", "cd 2", 9, "2"},
                    LineCase{"brundan", "Brundan", 2, ""}, LineCase{"unknownWord", "format c:", std::nullopt, ""},
                    LineCase{"wordWithTrailingText", "helpme", std::nullopt, ""},
                    // An empty word equals the empty last slot, which has no action.
                    LineCase{"emptyLine", "", 49, ""}, LineCase{"leadingSpace", " help", 49, "help"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ConsoleLine, OnlyTheFirstTenSlotsHaveActions)
{
    EXPECT_EQ(consoleAction(0), ConsoleCommand::ZQ5);
    EXPECT_EQ(consoleAction(5), ConsoleCommand::Hide);
    EXPECT_EQ(consoleAction(9), ConsoleCommand::Cd);
    EXPECT_EQ(consoleAction(10), std::nullopt);
    EXPECT_EQ(consoleAction(49), std::nullopt);
    EXPECT_EQ(consoleAction(-1), std::nullopt);
}

TEST(ConsoleLine, EveryWordFindsItsOwnSlot)
{
    const auto& commands = ConsoleCommands();
    for (int index = 0; index < 10; ++index) {
        const auto call = findConsoleCommand(commands[index] + QStringLiteral(" arg"));
        ASSERT_TRUE(call.has_value()) << index;
        EXPECT_EQ(call->index, index);
        EXPECT_EQ(consoleAction(index), static_cast<ConsoleCommand>(index));
    }
}

TEST(ConsoleLine, CornerPictureAndStartArgumentLinesReachTheServiceCommand)
{
    const auto prefill = findConsoleCommand(ConsoleTexts::ServicePrefill);
    ASSERT_TRUE(prefill.has_value());
    EXPECT_EQ(consoleAction(prefill->index), ConsoleCommand::Service);
    EXPECT_FALSE(ConsoleArguments::isExactlyOne(prefill->argument));

    const auto switchLine = findConsoleCommand(ConsoleTexts::ServiceSwitchLine);
    ASSERT_TRUE(switchLine.has_value());
    EXPECT_EQ(consoleAction(switchLine->index), ConsoleCommand::Service);
    EXPECT_TRUE(ConsoleArguments::isExactlyOne(switchLine->argument));
}

TEST(ConsoleLine, HelpListsExactlyTheSixUnhiddenCommands)
{
    const QString lastLine = ConsoleTexts::HelpMessage.section(QLatin1Char('\n'), -1);
    const QStringList listed = lastLine.split(QLatin1Char(','));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("help"), QStringLiteral("ZQ5"), QStringLiteral("Form_color"),
                                   QStringLiteral("close"), QStringLiteral("hide"), QStringLiteral("Con_color")}));
    for (const QString& word : listed) {
        const auto call = findConsoleCommand(word);
        ASSERT_TRUE(call.has_value()) << word.toStdString();
        EXPECT_TRUE(consoleAction(call->index).has_value());
    }
}

struct HideCase
{
    const char* name;
    const char* argument;
    std::optional<int> interval; // nothing: the invalid-integer message
    const char* message;
};

class HideInterval : public testing::TestWithParam<HideCase>
{
};

TEST_P(HideInterval, ConvertsOrRefusesWithTheArgument)
{
    const HideCase& c = GetParam();
    const QString argument = QString::fromUtf8(c.argument);
    if (c.interval) {
        EXPECT_EQ(ConsoleArguments::hideInterval(argument), *c.interval);
        return;
    }
    try {
        ConsoleArguments::hideInterval(argument);
        FAIL() << "accepted " << c.argument;
    } catch (const ConvertError& error) {
        EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HideInterval,
    testing::Values(HideCase{"emptyIsDefault", "", 5000, ""}, HideCase{"plain", "2000", 2000, ""},
                    HideCase{"hexadecimal", "$10", 16, ""}, HideCase{"leadingBlanks", "  300", 300, ""},
                    HideCase{"notANumber", "x", std::nullopt, "'x' is not a valid integer value"},
                    HideCase{"trailingBlank", "300 ", std::nullopt, "'300 ' is not a valid integer value"},
                    HideCase{"fraction", "1,5", std::nullopt, "'1,5' is not a valid integer value"},
                    // A zero or negative interval never fires: the window would never come back.
                    HideCase{"zero", "0", std::nullopt, "'0' is not a valid integer value"},
                    HideCase{"negative", "-100", std::nullopt, "'-100' is not a valid integer value"},
                    HideCase{"negativeHex", "$FFFFFFFF", std::nullopt, "'$FFFFFFFF' is not a valid integer value"}),
    [](const testing::TestParamInfo<HideCase>& info) { return std::string(info.param.name); });

TEST(ConsoleArguments, CdDoorTakesOnlyOneOrZero)
{
    using ConsoleArguments::CdDoor;
    EXPECT_EQ(ConsoleArguments::cdDoor(QStringLiteral("1")), CdDoor::Open);
    EXPECT_EQ(ConsoleArguments::cdDoor(QStringLiteral("0")), CdDoor::Close);
    EXPECT_EQ(ConsoleArguments::cdDoor(QString()), CdDoor::AskWhich);
    for (const char* other : {"2", " 1", "1 ", "01", "00", "-0", "open"})
        EXPECT_EQ(ConsoleArguments::cdDoor(QString::fromUtf8(other)), CdDoor::Ignore) << other;
}

TEST(ConsoleArguments, OnlyTheExactOneCounts)
{
    EXPECT_TRUE(ConsoleArguments::isExactlyOne(QStringLiteral("1")));
    for (const char* other : {"", " 1", "1 ", "01", "+1", "$1", "11"})
        EXPECT_FALSE(ConsoleArguments::isExactlyOne(QString::fromUtf8(other))) << other;
}

TEST(ConsoleTexts, MissingLaunchCountShowsOnlyTheUnit)
{
    EXPECT_EQ(ConsoleTexts::launchCountText(QString()), QStringLiteral(" раз"));
    EXPECT_EQ(ConsoleTexts::launchCountText(QStringLiteral("12")), QStringLiteral("12 раз"));
}

} // namespace
