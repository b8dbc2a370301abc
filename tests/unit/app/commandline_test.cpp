#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commandline.h"

namespace {

struct RequestCase
{
    const char* name;
    std::vector<const char*> arguments;
    CommandLineRequest request;
};

class CommandLineRequestTest : public testing::TestWithParam<RequestCase>
{
};

TEST_P(CommandLineRequestTest, OnlyTheFirstArgumentDecides)
{
    std::vector<const char*> argv{"trombus"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    argv.push_back(nullptr);
    EXPECT_EQ(commandLineRequest(static_cast<int>(argv.size()) - 1, argv.data()), GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineRequestTest,
                         testing::Values(RequestCase{"none", {}, CommandLineRequest::Run},
                                         RequestCase{"version", {"--version"}, CommandLineRequest::Version},
                                         RequestCase{"help", {"--help"}, CommandLineRequest::Help},
                                         RequestCase{"short_help", {"-h"}, CommandLineRequest::Help},
                                         RequestCase{
                                             "help_after_other", {"quartzite", "--help"}, CommandLineRequest::Run},
                                         RequestCase{"service_mode", {"quartzite"}, CommandLineRequest::Run},
                                         RequestCase{"help_with_value", {"--help=1"}, CommandLineRequest::Run},
                                         RequestCase{"upper_case", {"--HELP"}, CommandLineRequest::Run},
                                         RequestCase{"empty", {""}, CommandLineRequest::Run}),
                         [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

struct LocaleCase
{
    const char* name;
    LocaleEnvironment environment; // LANGUAGE, LC_ALL, LC_MESSAGES, LC_CTYPE, LANG
    bool russian;
};

class RussianMessagesTest : public testing::TestWithParam<LocaleCase>
{
};

TEST_P(RussianMessagesTest, FollowsTheMessageLanguageAndTheCharacterSet)
{
    EXPECT_EQ(russianMessages(GetParam().environment), GetParam().russian);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, RussianMessagesTest,
    testing::Values(LocaleCase{"russian_lang", {"", "", "", "", "ru_RU.UTF-8"}, true},
                    LocaleCase{"russian_lang_utf8_spelt_short", {"", "", "", "", "ru_RU.utf8"}, true},
                    LocaleCase{"russian_lang_other_country", {"", "", "", "", "ru_UA.UTF-8"}, true},
                    LocaleCase{"english_lang", {"", "", "", "", "en_US.UTF-8"}, false},
                    LocaleCase{"nothing_set", {"", "", "", "", ""}, false},
                    LocaleCase{"c_locale", {"", "", "", "", "C"}, false},
                    LocaleCase{"c_utf8_locale", {"", "", "", "", "C.UTF-8"}, false},
                    LocaleCase{"posix_locale", {"", "", "", "", "POSIX"}, false},
                    // Russian without UTF-8 would come out as mojibake, so English it is.
                    LocaleCase{"russian_koi8", {"", "", "", "", "ru_RU.KOI8-R"}, false},
                    LocaleCase{"russian_without_charset", {"", "", "", "", "ru_RU"}, false},
                    LocaleCase{"lc_all_beats_lang", {"", "en_US.UTF-8", "", "", "ru_RU.UTF-8"}, false},
                    LocaleCase{"lc_all_russian", {"", "ru_RU.UTF-8", "", "", "en_US.UTF-8"}, true},
                    LocaleCase{"lc_messages_beats_lang", {"", "", "en_US.UTF-8", "", "ru_RU.UTF-8"}, false},
                    LocaleCase{"lc_messages_russian", {"", "", "ru_RU.UTF-8", "", "en_US.UTF-8"}, true},
                    LocaleCase{"lc_ctype_decides_the_charset", {"", "", "", "ru_RU.KOI8-R", "ru_RU.UTF-8"}, false},
                    LocaleCase{"lc_ctype_utf8_for_russian_messages", {"", "", "ru_RU", "ru_RU.UTF-8", "C"}, true},
                    LocaleCase{"language_list_russian_first", {"ru:en", "", "", "", "en_US.UTF-8"}, true},
                    LocaleCase{"language_list_english_first", {"en:ru", "", "", "", "ru_RU.UTF-8"}, false},
                    LocaleCase{"language_list_skips_untranslated", {"de_DE:ru", "", "", "", "en_US.UTF-8"}, true},
                    LocaleCase{"language_list_without_known", {"de:fr", "", "", "", "ru_RU.UTF-8"}, true},
                    LocaleCase{"language_ignored_under_c", {"ru", "", "", "", "C.UTF-8"}, false},
                    LocaleCase{"modifier_after_charset", {"", "", "", "", "ru_RU.UTF-8@latin"}, true}),
    [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.name); });

TEST(HelpTextTest, BothLanguagesListEveryArgumentTheProgramUnderstands)
{
    for (const bool russian : {false, true}) {
        const std::string text = helpText(russian);
        for (const char* argument : {"quartzite", "--version", "--help", "-h"})
            EXPECT_NE(text.find(argument), std::string::npos) << argument << " in\n" << text;
        EXPECT_EQ(text.back(), '\n');
    }
    EXPECT_NE(helpText(true).find("Использование: trombus"), std::string::npos);
    EXPECT_NE(helpText(false).find("Usage: trombus"), std::string::npos);
}

TEST(HelpTextTest, TheEnglishTextIsPlainAscii)
{
    for (const unsigned char c : helpText(false))
        ASSERT_LT(c, 0x80) << helpText(false);
}

} // namespace
