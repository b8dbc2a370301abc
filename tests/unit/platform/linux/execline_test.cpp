#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/linux/execline.h"

namespace {

using Words = std::vector<std::string>;

struct SplitCase
{
    const char* name;
    const char* line;
    std::optional<Words> words;
};

void PrintTo(const SplitCase& row, std::ostream* out)
{
    *out << row.name;
}

class ExecLineSplit : public testing::TestWithParam<SplitCase>
{
};

TEST_P(ExecLineSplit, FollowsTheDesktopEntryQuoting)
{
    EXPECT_EQ(platform::detail::splitExecLine(GetParam().line), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ExecLineSplit,
    testing::Values(
        SplitCase{"plain", "gedit --new-window", Words{"gedit", "--new-window"}},
        SplitCase{"runs_of_blanks", "  kate \t -b  ", Words{"kate", "-b"}}, SplitCase{"empty", "", Words{}},
        SplitCase{"blank", "   ", Words{}},
        SplitCase{"quoted_blank", "\"/opt/my editor/bin/ed\" \"a b\"", Words{"/opt/my editor/bin/ed", "a b"}},
        SplitCase{"escapes_in_quotes", R"("a\"b" "c\`d" "e\$f" "g\\h")", Words{"a\"b", "c`d", "e$f", "g\\h"}},
        SplitCase{"other_backslash_in_quotes_kept", R"("a\nb")", Words{"a\\nb"}},
        SplitCase{"quote_joins_a_word", "pre\"fix word\"post", Words{"prefix wordpost"}},
        SplitCase{"empty_quotes_are_a_word", "ed \"\" x", Words{"ed", "", "x"}},
        SplitCase{"shell_characters_are_text", "ed ; rm -rf ~ $HOME `id` | x > y",
                  Words{"ed", ";", "rm", "-rf", "~", "$HOME", "`id`", "|", "x", ">", "y"}},
        SplitCase{"placeholders_are_text", "bcb.exe \"%1\" %2", Words{"bcb.exe", "%1", "%2"}},
        SplitCase{"windows_path_unquoted", "C:\\Borland\\bcb.exe", Words{"C:\\Borland\\bcb.exe"}},
        SplitCase{"open_quote", "ed \"unfinished", std::nullopt}));

TEST(ExecLineJoin, QuotesOnlyWhatNeedsItAndSplitsBack)
{
    using platform::detail::joinExecLine;
    using platform::detail::splitExecLine;
    EXPECT_EQ(joinExecLine({"gedit", "--new-window"}), "gedit --new-window");
    EXPECT_EQ(joinExecLine({"/opt/my ed", "$x", "a\"b", "", "back\\slash"}),
              R"("/opt/my ed" "\$x" "a\"b" "" "back\\slash")");
    const std::vector<Words> samples{
        {"ed", "a b", "c;d", "`e`", "$f", "g\\h", "\"", "", "~/x", "#", "(y)", "*?", "tab\tin"}, {}, {""}};
    for (const Words& words : samples)
        EXPECT_EQ(splitExecLine(joinExecLine(words)), words);
}

TEST(DesktopString, ResolvesItsOwnEscapesAndKeepsTheRest)
{
    using platform::detail::unescapeDesktopString;
    EXPECT_EQ(unescapeDesktopString(R"(a\sb\tc\nd\re\\f)"), "a b\tc\nd\re\\f");
    // Escapes of the quoting rules stay for them: "\\\\" in the file is "\\" in the value, one backslash as a word.
    EXPECT_EQ(unescapeDesktopString(R"("a\\\\b" \"q\" \$)"), R"("a\\b" \"q\" \$)");
    EXPECT_EQ(unescapeDesktopString("trailing\\"), "trailing\\");
}

struct FieldCodeCase
{
    const char* name;
    const char* exec;
    std::optional<std::string> command;
};

void PrintTo(const FieldCodeCase& row, std::ostream* out)
{
    *out << row.name;
}

class FieldCodes : public testing::TestWithParam<FieldCodeCase>
{
};

TEST_P(FieldCodes, AreRemovedForACommandWithoutFiles)
{
    EXPECT_EQ(platform::detail::execWithoutFieldCodes(GetParam().exec), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(Execs, FieldCodes,
                         testing::Values(FieldCodeCase{"single_file", "gedit %U", "gedit"},
                                         FieldCodeCase{"file_list", "kate -b %F", "kate -b"},
                                         FieldCodeCase{"icon_and_name", "app %i --name %c %k", "app --name"},
                                         FieldCodeCase{"inside_a_word", "emacs --file=%f", "emacs --file="},
                                         FieldCodeCase{"quoted_field_code", "ed \"%f\"", "ed"},
                                         FieldCodeCase{"literal_percent", "printf 100%% %u", "printf 100%"},
                                         FieldCodeCase{"deprecated_codes", "xed %d %D %n %N %v %m", "xed"},
                                         FieldCodeCase{"quoted_program_kept_quoted", "\"/opt/My Editor/ed\" %F",
                                                       "\"/opt/My Editor/ed\""},
                                         FieldCodeCase{"nothing_to_remove", "geany", "geany"},
                                         FieldCodeCase{"broken_quoting", "ed \"%f", std::nullopt}));

} // namespace
