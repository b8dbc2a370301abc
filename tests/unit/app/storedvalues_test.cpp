#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>
#include <array>
#include <optional>
#include <stdexcept>

#include "app/storedvalues.h"
#include "support/qstringprint.h"

namespace {

using Occasion = StoredValues::Occasion;

// Owners whose values write what was applied into one journal; "bad" cannot be applied.
struct StoreJournal
{
    QStringList entries;
    StoredValues values;
    QMap<QString, std::optional<QString>> live;

    StoredValue value(const char* name, const char* firstRunText = nullptr)
    {
        return {name,
                [this, name](const QString& text) {
                    if (text == QLatin1String("bad"))
                        throw std::runtime_error(name);
                    entries << QString::fromUtf8(name) + QLatin1Char('=') + text;
                },
                [this, name] { return live.value(QString::fromUtf8(name)); }, firstRunText};
    }
};

constexpr std::array<const char*, 3> Order = {"left", "top", "width"};

TEST(StoredValues, AreReadAndAppliedOneAtATimeInTheOrdersSequence)
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
        StoreJournal journal;
        // Declared by two owners, in another sequence than the order's.
        journal.values.add({journal.value("width"), journal.value("left")});
        journal.values.add({journal.value("top")});
        QStringList reads;
        auto read = [&](const QString& name) {
            reads << name;
            return c.stored.value(name);
        };
        if (c.throws)
            EXPECT_THROW(journal.values.restore(Order, read), std::runtime_error);
        else
            EXPECT_NO_THROW(journal.values.restore(Order, read));
        EXPECT_EQ(journal.entries, c.expected);
        // Each value is read just before it is applied, never all of them up front.
        EXPECT_EQ(reads.size(), c.expected.size() + (c.throws ? 1 : 0));
        EXPECT_EQ(journal.values.names(), (QStringList{"width", "left", "top"}));
    }
}

TEST(StoredValues, StoreWritesTheOrdersValuesAndLeavesThoseWithNothingToStore)
{
    StoreJournal journal;
    journal.values.add({journal.value("left"), journal.value("top", "0"), journal.value("width")});
    journal.live = {{"left", QStringLiteral("5")}, {"top", std::nullopt}, {"width", QString()}};
    QStringList written;
    const auto write = [&](const QString& name, const QString& text) { written << name + QLatin1Char('=') + text; };

    journal.values.store(Order, Occasion::Now, write);
    // "top" has nothing to store now: the stored one stays. An empty text is still a text.
    EXPECT_EQ(written, (QStringList{"left=5", "width="}));

    written.clear();
    journal.values.store(Order, Occasion::FirstRun, write);
    EXPECT_EQ(written, (QStringList{"left=5", "top=0", "width="}));
}

TEST(StoredValues, AnOrderTheOwnersDoNotAnswerIsAFaultOfTheProgram)
{
    StoreJournal journal;
    journal.values.add({journal.value("left"), {.name = "mark", .firstRunText = "1"}});
    const auto read = [](const QString&) { return QString(); };
    const auto write = [](const QString&, const QString&) {};

    const std::array<const char*, 1> unknown = {"height"};
    EXPECT_THROW(journal.values.restore(unknown, read), std::logic_error);
    EXPECT_THROW(journal.values.store(unknown, Occasion::Now, write), std::logic_error);
    // The first run's mark is neither restored nor stored later.
    const std::array<const char*, 1> mark = {"mark"};
    EXPECT_THROW(journal.values.restore(mark, read), std::logic_error);
    EXPECT_THROW(journal.values.store(mark, Occasion::Now, write), std::logic_error);
    EXPECT_NO_THROW(journal.values.store(mark, Occasion::FirstRun, write));
    EXPECT_THROW(journal.values.add({journal.value("left")}), std::logic_error);
}

} // namespace
