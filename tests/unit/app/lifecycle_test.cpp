#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>
#include <stdexcept>

#include "app/lifecycle.h"

namespace {

using Phase = Lifecycle::Phase;

// A lifecycle whose steps and values write what they did into one journal.
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
    Lifecycle::StoredValue value(const char* name)
    {
        return {name, [this, name](const QString& text) {
                    if (text == QLatin1String("bad"))
                        throw std::runtime_error(name);
                    entries << QString::fromUtf8(name) + QLatin1Char('=') + text;
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

TEST(Lifecycle, StoredValuesAreReadAndAppliedOneAtATime)
{
    struct Case
    {
        QMap<QString, QString> stored;
        QStringList expected;
        bool throws;
    };
    const Case cases[] = {
        {{{"left", "10"}, {"top", "20"}, {"width", "30"}}, {"left=10", "top=20", "width=30"}, false},
        // A value that cannot be applied stops the restore there; the ones before it stay applied.
        {{{"left", "10"}, {"top", "bad"}, {"width", "30"}}, {"left=10"}, true},
        // A missing value is read as empty text and still handed to its row.
        {{{"width", "30"}}, {"left=", "top=", "width=30"}, false},
    };
    for (const Case& c : cases) {
        Journal journal;
        journal.lifecycle.addStoredValues({journal.value("left"), journal.value("top")});
        journal.lifecycle.addStoredValues({journal.value("width")});
        QStringList reads;
        auto read = [&](const QString& name) {
            reads << name;
            return c.stored.value(name);
        };
        if (c.throws)
            EXPECT_THROW(journal.lifecycle.restore(read), std::runtime_error);
        else
            EXPECT_NO_THROW(journal.lifecycle.restore(read));
        EXPECT_EQ(journal.entries, c.expected);
        // Each value is read just before it is applied, never all of them up front.
        EXPECT_EQ(reads.size(), c.expected.size() + (c.throws ? 1 : 0));
        EXPECT_EQ(journal.lifecycle.storedValueNames(), (QStringList{"left", "top", "width"}));
    }
}

} // namespace
