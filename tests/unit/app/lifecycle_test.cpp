#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

#include "app/lifecycle.h"

namespace {

using Phase = Lifecycle::Phase;

// A lifecycle whose steps write what they did into one journal.
struct Journal
{
    QStringList entries;
    Lifecycle lifecycle;

    Lifecycle::Step step(const char* name, bool fails = false)
    {
        return {name, [this, name, fails] {
                    if (fails)
                        throw std::runtime_error(name);
                    entries << QString::fromUtf8(name);
                }};
    }
};

TEST(Lifecycle, PhasesRunTheirOwnStepsInTheOrderTheyWereAdded)
{
    Journal journal;
    journal.lifecycle.add(Phase::Creation, {journal.step("a"), journal.step("b")});
    journal.lifecycle.add(Phase::Activation, {journal.step("x")});
    journal.lifecycle.add(Phase::Creation, {journal.step("c")});

    journal.lifecycle.run(Phase::Creation);
    EXPECT_EQ(journal.entries, (QStringList{"a", "b", "c"}));
    EXPECT_EQ(journal.lifecycle.stepNames(Phase::Creation), (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(journal.lifecycle.stepNames(Phase::Close).isEmpty());

    journal.entries.clear();
    journal.lifecycle.run(Phase::Close); // an empty phase is no error
    journal.lifecycle.run(Phase::Activation);
    EXPECT_EQ(journal.entries, QStringList{"x"});
}

TEST(Lifecycle, AFailingStepEndsItsPhaseWithTheStepsBeforeItDone)
{
    Journal journal;
    journal.lifecycle.add(Phase::Activation,
                          {journal.step("first"), journal.step("broken", true), journal.step("last")});
    EXPECT_THROW(journal.lifecycle.run(Phase::Activation), std::runtime_error);
    EXPECT_EQ(journal.entries, QStringList{"first"});
}

} // namespace
