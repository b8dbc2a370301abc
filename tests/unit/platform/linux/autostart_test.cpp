#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/autostart.h"

namespace {

// Every case gets its own configuration home, so the user's real autostart folder is never touched.
class AutostartTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        m_savedHome = qgetenv("HOME");
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        qunsetenv("TROMBUS_AUTOSTART");
        autostart = platform::Autostart::create(platform::Context{});
    }

    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", m_savedConfig);
        qputenv("HOME", m_savedHome);
        qunsetenv("TROMBUS_AUTOSTART");
    }

    QString entryPath() const { return m_home.path() + QStringLiteral("/autostart/trombus.desktop"); }

    QString entry() const
    {
        QFile file(entryPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll());
    }

    QTemporaryDir m_home;
    QByteArray m_savedConfig;
    QByteArray m_savedHome;
    std::shared_ptr<platform::Autostart> autostart;
};

TEST_F(AutostartTest, RegistrationWritesAnEntryThatStartsTheProgramWithTheMarker)
{
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/opt/trombus/bin/trombus"));
    EXPECT_TRUE(autostart->isRegistered("Тромбус"));
    const QString text = entry();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nName=Тромбус\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=env TROMBUS_AUTOSTART=1 \"/opt/trombus/bin/trombus\"\n")))
        << text.toStdString();
}

TEST_F(AutostartTest, ReservedCharactersOfThePathAreEscaped)
{
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/home/a b/\"q\"/$x/`y`/100%/back\\slash/trombus"));
    // Quoting escapes " ` $ \ with a backslash and doubles %; the string value then doubles every backslash.
    EXPECT_TRUE(entry().contains(
        QStringLiteral("Exec=env TROMBUS_AUTOSTART=1 \"/home/a b/\\\\\"q\\\\\"/\\\\$x/\\\\`y\\\\`/100%%/"
                       "back\\\\\\\\slash/trombus\"\n")))
        << entry().toStdString();
}

TEST_F(AutostartTest, RegisteringTwiceLeavesOneEntry)
{
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/a/trombus"));
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/b/trombus"));
    EXPECT_TRUE(entry().contains(QStringLiteral("\"/b/trombus\"")));
    EXPECT_FALSE(entry().contains(QStringLiteral("/a/trombus")));
}

TEST_F(AutostartTest, UnregisterRemovesTheEntryAndIsQuietWithoutOne)
{
    EXPECT_FALSE(autostart->unregister("Тромбус"));
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/a/trombus"));
    EXPECT_TRUE(autostart->unregister("Тромбус"));
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_FALSE(autostart->isRegistered("Тромбус"));
}

TEST_F(AutostartTest, AStartFromTheEntryUsesItUp)
{
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/a/trombus"));
    qputenv("TROMBUS_AUTOSTART", "1");
    autostart->consumeIfStartedByIt();
    EXPECT_FALSE(QFile::exists(entryPath()));
    // Programs started from here must not inherit the marker.
    EXPECT_FALSE(qEnvironmentVariableIsSet("TROMBUS_AUTOSTART"));
}

TEST_F(AutostartTest, AnOrdinaryStartKeepsTheRegistration)
{
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/a/trombus"));
    autostart->consumeIfStartedByIt();
    EXPECT_TRUE(QFile::exists(entryPath()));
    qputenv("TROMBUS_AUTOSTART", "0");
    autostart->consumeIfStartedByIt();
    EXPECT_TRUE(QFile::exists(entryPath()));
}

TEST_F(AutostartTest, AnUnwritablePlaceFailsQuietly)
{
    // A file where the autostart folder should be: the folder cannot be made.
    QFile blocker(m_home.path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(autostart->registerOnce("Тромбус", "/a/trombus"));
    EXPECT_FALSE(autostart->isRegistered("Тромбус"));
}

TEST_F(AutostartTest, ARelativeConfigHomeIsIgnored)
{
    qputenv("XDG_CONFIG_HOME", "relative/config");
    qputenv("HOME", m_home.path().toUtf8());
    ASSERT_TRUE(autostart->registerOnce("Тромбус", "/a/trombus"));
    EXPECT_TRUE(QFile::exists(m_home.path() + QStringLiteral("/.config/autostart/trombus.desktop")));
}

} // namespace
