#include "differential/compare.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using differential::compare;
using differential::parseDeliberate;
using differential::parseTranscript;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kListed = "# New files: LF on Linux.\n"
                            "ini/a/1 file: line ends\n"
                            "  linux: LF\n"
                            "  windows: CRLF\n"
                            "\n"
                            "# Only Windows lists it.\n"
                            "ini/a/2 extra\n"
                            "  linux: <absent>\n"
                            "  windows: \"x\"\n";

struct Row
{
    const char* label;
    std::string linux;
    std::string windows;
    int explained;
    std::vector<std::string> unexplainedIds;
    std::vector<std::string> stale;
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.label;
}

class CompareRows : public ::testing::TestWithParam<Row>
{
};

TEST_P(CompareRows, OnlyListedDifferencesPass)
{
    const Row& row = GetParam();
    const auto result = compare(parseTranscript(row.linux), parseTranscript(row.windows),
                                parseDeliberate(kListed, "linux", "windows"), "linux", "windows");
    EXPECT_EQ(result.explained, row.explained);
    std::vector<std::string> ids;
    for (const std::string& difference : result.unexplained)
        ids.push_back(difference.substr(0, difference.find('\n')));
    EXPECT_EQ(ids, row.unexplainedIds);
    EXPECT_EQ(result.stale, row.stale);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareRows,
                         ::testing::Values(Row{"ListedDifferencesAsListed",
                                               "ini/a/1 file: line ends\tLF\nk\t1\n",
                                               "ini/a/1 file: line ends\tCRLF\nk\t1\nini/a/2 extra\t\"x\"\n",
                                               2,
                                               {},
                                               {}},
                                           Row{"UnlistedDifference",
                                               "ini/a/1 file: line ends\tLF\nk\t1\nini/a/2 extra\t\"x\"\n",
                                               "ini/a/1 file: line ends\tCRLF\nk\t2\nini/a/2 extra\t\"x\"\n",
                                               1,
                                               {"k"},
                                               {"ini/a/2 extra"}},
                                           Row{"ListedIdWithAnotherValue",
                                               "ini/a/1 file: line ends\tnone\n",
                                               "ini/a/1 file: line ends\tCRLF\n",
                                               0,
                                               {"ini/a/1 file: line ends"},
                                               {"ini/a/2 extra"}},
                                           Row{"ListedValuesSwapped",
                                               "ini/a/1 file: line ends\tCRLF\n",
                                               "ini/a/1 file: line ends\tLF\n",
                                               0,
                                               {"ini/a/1 file: line ends"},
                                               {"ini/a/2 extra"}},
                                           Row{"ObservationOnlyOnTheLeft",
                                               "ini/a/1 file: line ends\tLF\nonly\tx\n",
                                               "ini/a/1 file: line ends\tCRLF\n",
                                               1,
                                               {"only"},
                                               {"ini/a/2 extra"}},
                                           Row{"ObservationOnlyOnTheRightUnlisted",
                                               "ini/a/1 file: line ends\tLF\n",
                                               "ini/a/1 file: line ends\tCRLF\nnew\tx\n",
                                               1,
                                               {"new"},
                                               {"ini/a/2 extra"}},
                                           Row{"SidesNowAgree",
                                               "ini/a/1 file: line ends\tLF\nini/a/2 extra\t\"x\"\n",
                                               "ini/a/1 file: line ends\tLF\nini/a/2 extra\t\"x\"\n",
                                               0,
                                               {},
                                               {"ini/a/1 file: line ends", "ini/a/2 extra"}}),
                         [](const auto& info) { return std::string(info.param.label); });

const std::string kPatterns = "# Encodings.\n"
                              "ini/*: encoding\n"
                              "  linux: utf-8\n"
                              "  windows: utf-16\n"
                              "ini/*: encoding\n"
                              "  linux: ascii\n"
                              "  windows: utf-16\n"
                              "\n"
                              "# One of a kind.\n"
                              "ini/x: encoding\n"
                              "  linux: latin\n"
                              "  windows: utf-16\n";

class ComparePatterns : public ::testing::TestWithParam<Row>
{
};

TEST_P(ComparePatterns, CoverEveryMatchWithTheirValuesOnly)
{
    const Row& row = GetParam();
    const auto result = compare(parseTranscript(row.linux), parseTranscript(row.windows),
                                parseDeliberate(kPatterns, "linux", "windows"), "linux", "windows");
    EXPECT_EQ(result.explained, row.explained);
    std::vector<std::string> ids;
    for (const std::string& difference : result.unexplained)
        ids.push_back(difference.substr(0, difference.find('\n')));
    EXPECT_EQ(ids, row.unexplainedIds);
    EXPECT_EQ(result.stale, row.stale);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComparePatterns,
    ::testing::Values(Row{"EveryMatchCovered",
                          "ini/a: encoding\tutf-8\nini/b/c: encoding\tascii\nini/x: encoding\tlatin\n",
                          "ini/a: encoding\tutf-16\nini/b/c: encoding\tutf-16\nini/x: encoding\tutf-16\n",
                          3,
                          {},
                          {}},
                      Row{"OtherValuesNotCovered",
                          "ini/a: encoding\tutf-8\nini/b: encoding\tascii\nini/x: encoding\tlatin\n",
                          "ini/a: encoding\tutf-16\nini/b: encoding\tutf-8\nini/x: encoding\tutf-16\n",
                          2,
                          {"ini/b: encoding"},
                          {"ini/*: encoding"}},
                      Row{"IdNotMatching",
                          "ini/a: encoding\tutf-8\nini/a: line ends\tutf-8\nini/x: encoding\tlatin\n",
                          "ini/a: encoding\tutf-16\nini/a: line ends\tutf-16\nini/x: encoding\tutf-16\n",
                          2,
                          {"ini/a: line ends"},
                          {"ini/*: encoding"}},
                      Row{"PrefixMustMatch",
                          "registry/a: encoding\tutf-8\n",
                          "registry/a: encoding\tutf-16\n",
                          0,
                          {"registry/a: encoding"},
                          {"ini/*: encoding", "ini/*: encoding", "ini/x: encoding"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompareReport, UnexplainedDifferenceReadsAsAnEntryToList)
{
    const auto result = compare(parseTranscript("k\t\"a\"\n"), parseTranscript("k\t\"b\"\n"), {}, "linux", "windows");
    EXPECT_THAT(result.unexplained, ElementsAre("k\n    linux: \"a\"\n    windows: \"b\""));
    EXPECT_EQ(parseDeliberate("# why\n" + result.unexplained.front() + "\n", "linux", "windows").size(), 1u);
}

TEST(CompareParse, ValuesKeepTheirInnerTabsAndBlanks)
{
    const auto observations = parseTranscript("id with blanks\t\"a\tb\"  \r\n");
    ASSERT_EQ(observations.size(), 1u);
    EXPECT_EQ(observations[0].id, "id with blanks");
    EXPECT_EQ(observations[0].value, "\"a\tb\"  ");
    const auto listed =
        parseDeliberate("# why\n# and more\nid\n  linux:   \"a b\"\n  windows: <absent>\n", "linux", "windows");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].leftValue, "\"a b\"");
    EXPECT_EQ(listed[0].rightValue, "<absent>");
    EXPECT_EQ(listed[0].reason, "why and more ");
}

struct Broken
{
    const char* label;
    std::string text;
    std::string fault;
};

void PrintTo(const Broken& row, std::ostream* out)
{
    *out << row.label;
}

class BrokenDeliberate : public ::testing::TestWithParam<Broken>
{
};

TEST_P(BrokenDeliberate, IsRefusedWithItsLine)
{
    try {
        parseDeliberate(GetParam().text, "linux", "windows");
        FAIL() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_THAT(error.what(), HasSubstr(GetParam().fault));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenDeliberate,
    ::testing::Values(Broken{"NoReason", "id\n  linux: a\n  windows: b\n", "line 1: an entry without a reason"},
                      Broken{"ReasonOfThePreviousBlockDoesNotCarryOver",
                             "# why\nid\n  linux: a\n  windows: b\n\nother\n  linux: a\n  windows: b\n",
                             "line 6: an entry without a reason"},
                      Broken{"MissingRightValue", "# why\nid\n  linux: a\n", "line 4: expected"},
                      Broken{"SidesInTheWrongOrder", "# why\nid\n  windows: b\n  linux: a\n", "line 3: expected"},
                      Broken{"SameValues", "# why\nid\n  linux: a\n  windows: a\n", "the same"},
                      Broken{"ListedTwice", "# why\nid\n  linux: a\n  windows: b\nid\n  linux: a\n  windows: c\n",
                             "listed twice"},
                      Broken{"PatternListedTwiceWithTheSameValues",
                             "# why\na*\n  linux: a\n  windows: b\na*\n  linux: a\n  windows: b\n", "listed twice"},
                      Broken{"ReasonAmongEntries", "# why\nid\n  linux: a\n  windows: b\n# late\n", "line 5"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompareParse, TranscriptFaultsAreRefused)
{
    EXPECT_THROW(parseTranscript("no tab here\n"), std::invalid_argument);
    EXPECT_THROW(parseTranscript("\tvalue without id\n"), std::invalid_argument);
    EXPECT_THROW(parseTranscript("a\t1\na\t2\n"), std::invalid_argument);
    EXPECT_THAT(parseTranscript(""), IsEmpty());
}

} // namespace
