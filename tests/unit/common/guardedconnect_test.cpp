#include <gtest/gtest.h>

#include <QObject>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "common/errorreport.h"
#include "common/errors.h"
#include "common/guardedconnect.h"
#include "support/dialogrecorder.h"
#include "support/qstringprint.h"

namespace {

class Sender final : public QObject
{
    Q_OBJECT
signals:
    void fired();
    void valued(int number, const QString& text);
};

// A handler object whose member is connected, as the windows' controllers connect theirs.
class Receiver final : public QObject
{
    Q_OBJECT
public:
    void take(int number, const QString& text) { taken << QString::number(number) + text; }
    void refuse() { throw ConvertError(QStringLiteral("'x' is not a valid integer value")); }
    QStringList taken;
};

struct RaiseCase
{
    const char* name;
    void (*raise)();
    const char* message;
};

class GuardedConnect : public testing::TestWithParam<RaiseCase>
{
protected:
    DialogRecorder dialogs;
    Sender sender;
    QObject context;
};

TEST_P(GuardedConnect, ReportsTheErrorKeepsEarlierEffectsAndRunsAgain)
{
    QStringList effects;
    connectGuarded(&sender, &Sender::fired, &context, [&] {
        effects << QStringLiteral("before");
        GetParam().raise();
        effects << QStringLiteral("after");
    });
    // A handler connected after the failing one still hears the signal.
    connectGuarded(&sender, &Sender::fired, &context, [&] { effects << QStringLiteral("next"); });

    EXPECT_NO_THROW(emit sender.fired());
    const QString reported = errorReportText(QString::fromUtf8(GetParam().message));
    EXPECT_EQ(dialogs.errors(), QStringList{reported});
    EXPECT_EQ(dialogs.requests.first().icon, QMessageBox::Critical);
    EXPECT_EQ(effects, (QStringList{QStringLiteral("before"), QStringLiteral("next")}));

    EXPECT_NO_THROW(emit sender.fired());
    EXPECT_EQ(dialogs.errors(), (QStringList{reported, reported}));
    EXPECT_EQ(effects.count(QStringLiteral("before")), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, GuardedConnect,
    testing::Values(RaiseCase{"Convert",
                              [] { throw ConvertError(QStringLiteral("'5,' is not a valid integer value")); },
                              "'5,' is not a valid integer value"},
                    RaiseCase{"Float", [] { throw FloatError(QStringLiteral("Floating point division by zero")); },
                              "Floating point division by zero"},
                    RaiseCase{"Registry", [] { throw RegistryError(QStringLiteral("Failed to set data for 'Х'")); },
                              "Failed to set data for 'Х'"},
                    RaiseCase{"File", [] { throw FileError(QStringLiteral("Unable to write to help.ini")); },
                              "Unable to write to help.ini"},
                    RaiseCase{"Standard", [] { throw std::runtime_error("Не хватает памяти"); }, "Не хватает памяти"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GuardedConnectHandlers, TakeTheSignalsLeadingArgumentsOrNone)
{
    DialogRecorder dialogs;
    Sender sender;
    Receiver receiver;
    QStringList heard;
    connectGuarded(&sender, &Sender::valued, &receiver, &Receiver::take);
    connectGuarded(&sender, &Sender::valued, &receiver, [&](int number) { heard << QString::number(number); });
    connectGuarded(&sender, &Sender::valued, &receiver, [&] { heard << QStringLiteral("none"); });
    emit sender.valued(7, QStringLiteral("семь"));
    EXPECT_EQ(receiver.taken, QStringList{QStringLiteral("7семь")});
    EXPECT_EQ(heard, (QStringList{QStringLiteral("7"), QStringLiteral("none")}));
    EXPECT_TRUE(dialogs.requests.isEmpty());
}

TEST(GuardedConnectHandlers, MemberFunctionErrorIsReported)
{
    DialogRecorder dialogs;
    Sender sender;
    Receiver receiver;
    connectGuarded(&sender, &Sender::fired, &receiver, &Receiver::refuse);
    EXPECT_NO_THROW(emit sender.fired());
    EXPECT_EQ(dialogs.errors(), QStringList{QStringLiteral("'x' is not a valid integer value.")});
}

TEST(GuardedConnectHandlers, ConnectionEndsWithItsContext)
{
    DialogRecorder dialogs;
    Sender sender;
    int runs = 0;
    auto context = std::make_unique<QObject>();
    connectGuarded(&sender, &Sender::fired, context.get(), [&] { ++runs; });
    emit sender.fired();
    context.reset();
    emit sender.fired();
    EXPECT_EQ(runs, 1);
}

// Callbacks that are not signals (mouse handlers kept as std::function) take the same guard.
TEST(GuardedCallback, ReportsInsteadOfThrowingAndPassesItsArgument)
{
    DialogRecorder dialogs;
    int seen = 0;
    const std::function<void(int)> callback = guarded([&](int value) {
        seen = value;
        throw FloatError(QStringLiteral("Floating point overflow"));
    });
    EXPECT_NO_THROW(callback(5));
    EXPECT_EQ(seen, 5);
    EXPECT_EQ(dialogs.errors(), QStringList{QStringLiteral("Floating point overflow.")});
}

} // namespace

#include "guardedconnect_test.moc"
