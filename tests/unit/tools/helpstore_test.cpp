#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/platform.h"
#include "tools/helpstore.h"

namespace {

class HelpStoreFile : public testing::Test
{
protected:
    HelpStoreFile()
    {
        platform::Context context;
        context.configDir = m_dir.path().toStdString();
        m_platform = std::make_unique<platform::Platform>(context);
    }

    platform::Platform& platform() { return *m_platform; }
    QString fileText() const
    {
        QFile file(QDir(m_dir.path()).filePath(HelpStore::FileName));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeFile(const QByteArray& bytes) const
    {
        QFile file(QDir(m_dir.path()).filePath(HelpStore::FileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::Platform> m_platform;
};

class DefinitionRoundTrip : public HelpStoreFile, public testing::WithParamInterface<const char*>
{
};

TEST_P(DefinitionRoundTrip, ComesBackExactly)
{
    const QString definition = QString::fromUtf8(GetParam());
    HelpStore::store(platform(), QStringLiteral("Type"), QStringLiteral("name"), definition);
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("Type"), QStringLiteral("name")).toStdString(),
              definition.toStdString());
    // Whatever it holds, the entry stays one key line of its section.
    EXPECT_EQ(fileText().count(QLatin1Char('\n')), 2) << fileText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Definitions, DefinitionRoundTrip,
                         testing::Values("a round figure", "", " leading blank", "trailing blank ", "\ttab",
                                         "\"quoted\"", "'single'", "\"open only", "a = b; c", "[not a section]",
                                         "Круглая фигура", "no\u00A0break", "50% \\n not a break", "line one\nline two",
                                         "\n\nafter empty lines\n", "  indented\n  second  ", "\"first\nlast\"",
                                         "ends with a break\n"));

TEST_F(HelpStoreFile, OneLineDefinitionIsStoredAsTyped)
{
    HelpStore::store(platform(), QStringLiteral("Geometry"), QStringLiteral("circle"),
                     QStringLiteral("a round figure"));
    EXPECT_EQ(fileText(), QStringLiteral("[Geometry]\ncircle=a round figure\n"));
}

TEST_F(HelpStoreFile, DefinitionTypedByHandComesBackAsWritten)
{
    writeFile("[Paths]\nwin=C:\\new\\table\nodd=x\\u2029y\nsep=a\xe2\x80\xa8"
              "b\n");
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("Paths"), QStringLiteral("win")),
              QStringLiteral("C:\\new\\table"));
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("Paths"), QStringLiteral("odd")),
              QStringLiteral("x\\u2029y"));
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("Paths"), QStringLiteral("sep")),
              QString(QStringLiteral("a")) + QChar(0x2028) + QStringLiteral("b"));
}

TEST_F(HelpStoreFile, EmptyTypeAndNameLiveUnderTheEmptyWord)
{
    HelpStore::store(platform(), QString(), QString(), QStringLiteral("only the definition"));
    EXPECT_EQ(HelpStore::types(platform()), QStringList{HelpStore::EmptyName});
    EXPECT_EQ(HelpStore::names(platform(), QString()), QStringList{HelpStore::EmptyName});
    EXPECT_EQ(HelpStore::definition(platform(), QString(), QString()), QStringLiteral("only the definition"));
    EXPECT_EQ(HelpStore::definition(platform(), HelpStore::EmptyName, HelpStore::EmptyName),
              QStringLiteral("only the definition"));
}

TEST_F(HelpStoreFile, SameNameReplacesInPlace)
{
    HelpStore::store(platform(), QStringLiteral("T"), QStringLiteral("a"), QStringLiteral("first"));
    HelpStore::store(platform(), QStringLiteral("T"), QStringLiteral("b"), QStringLiteral("second"));
    HelpStore::store(platform(), QStringLiteral("T"), QStringLiteral("A"), QStringLiteral("third"));
    EXPECT_EQ(HelpStore::names(platform(), QStringLiteral("T")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("T"), QStringLiteral("a")), QStringLiteral("third"));
}

TEST_F(HelpStoreFile, LongListsAndDefinitionsComeBackWhole)
{
    const QString longDefinition = QString(5000, QLatin1Char('x')) + QStringLiteral("end");
    HelpStore::store(platform(), QStringLiteral("Long"), QStringLiteral("text"), longDefinition);
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("Long"), QStringLiteral("text")), longDefinition);

    QStringList names;
    for (int i = 0; i < 700; ++i) // well over 16 384 bytes of names
        names << QStringLiteral("name-number-%1-padded").arg(i, 4, 10, QLatin1Char('0'));
    writeFile(QByteArray("[Many]\n") + names.join(QStringLiteral("=v\n")).toUtf8() + "=v\n");
    EXPECT_EQ(HelpStore::names(platform(), QStringLiteral("Many")), names);
}

TEST_F(HelpStoreFile, MissingFileGivesEmptyAnswers)
{
    EXPECT_TRUE(HelpStore::types(platform()).isEmpty());
    EXPECT_TRUE(HelpStore::names(platform(), QStringLiteral("x")).isEmpty());
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("x"), QStringLiteral("y")), QString());
}

} // namespace
