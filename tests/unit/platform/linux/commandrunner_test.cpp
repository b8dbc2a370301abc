#include <gtest/gtest.h>

#include <ostream>

#include "platform/commandrunner.h"
#include "recordingprograms.h"

namespace {

using Call = RecordingPrograms::Call;

// The real runner over a private search path of recording programs.
class CommandRunnerTest : public testing::Test
{
protected:
    void SetUp() override { environment.set("PATH", programs.path("bin")); }

    RecordingPrograms programs;
    EnvironmentGuard environment;
    std::shared_ptr<platform::CommandRunner> runner = platform::CommandRunner::create({});
};

TEST_F(CommandRunnerTest, StartsTheProgramWithItsArgumentsNeverThroughAShell)
{
    const QString editor = programs.add(QStringLiteral("editor"));
    const std::string line = "\"" + editor.toStdString() + "\" \"a b\" \"x;y\" \"\\$HOME\" `id` %1 '>' out";
    ASSERT_TRUE(runner->run(line));
    EXPECT_EQ(programs.waitForCalls(1),
              (std::vector<Call>{{QStringLiteral("editor"), {"a b", "x;y", "$HOME", "`id`", "%1", "'>'", "out"}}}));
}

TEST_F(CommandRunnerTest, FindsAProgramByNameOnTheSearchPath)
{
    programs.add(QStringLiteral("geany"));
    ASSERT_TRUE(runner->run("geany --new-instance"));
    EXPECT_EQ(programs.waitForCalls(1), (std::vector<Call>{{QStringLiteral("geany"), {"--new-instance"}}}));
}

TEST_F(CommandRunnerTest, StartsNothingForWhatNamesNoProgram)
{
    programs.add(QStringLiteral("sentinel"));
    for (const char* line : {"", "   ", "missing-program x", "C:\\Borland\\CBuilder6\\Bin\\bcb.exe \"%1\"",
                             "\"sentinel unfinished", "/nonexistent/sentinel"})
        EXPECT_FALSE(runner->run(line)) << line;
    // A folder is no program either.
    EXPECT_FALSE(runner->run(programs.path("bin").toStdString()));
    ASSERT_TRUE(runner->run("sentinel"));
    EXPECT_EQ(programs.waitForCalls(1), (std::vector<Call>{{QStringLiteral("sentinel"), {}}}));
}

} // namespace
