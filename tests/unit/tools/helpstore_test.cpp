#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/platform.h"
#include "support/qstringprint.h"
#include "tools/helpstore.h"

// Failures show the text rather than its UTF-16 units.
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
    /// Another running copy of the program on the same settings.
    std::unique_ptr<platform::Platform> anotherCopy() const
    {
        platform::Context context;
        context.configDir = m_dir.path().toStdString();
        return std::make_unique<platform::Platform>(context);
    }
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

// Every type or name, however awkward, is listed as typed and finds its definition, and storing it again
// replaces the entry instead of adding another.
class AwkwardName : public HelpStoreFile, public testing::WithParamInterface<std::pair<const char*, QString>>
{
};

TEST_P(AwkwardName, ComesBackExactlyAsTypeAndAsName)
{
    const QString awkward = GetParam().second;
    const QString plain = QStringLiteral("plain");
    HelpStore::store(platform(), awkward, plain, QStringLiteral("as type"));
    HelpStore::store(platform(), plain, awkward, QStringLiteral("as name"));
    HelpStore::store(platform(), awkward, awkward, QStringLiteral(" \"both\" "));
    const QString firstFile = fileText();
    HelpStore::store(platform(), awkward, awkward, QStringLiteral("both again"));
    HelpStore::store(platform(), plain, awkward, QStringLiteral("as name again"));

    EXPECT_EQ(HelpStore::types(platform()), (QStringList{awkward, plain}));
    EXPECT_EQ(HelpStore::names(platform(), awkward), (QStringList{plain, awkward}));
    EXPECT_EQ(HelpStore::names(platform(), plain), QStringList{awkward});
    EXPECT_EQ(HelpStore::definition(platform(), awkward, plain), QStringLiteral("as type"));
    EXPECT_EQ(HelpStore::definition(platform(), plain, awkward), QStringLiteral("as name again"));
    EXPECT_EQ(HelpStore::definition(platform(), awkward, awkward), QStringLiteral("both again"));
    // Two sections of two keys, a blank line between them: replacing never adds a line.
    EXPECT_EQ(firstFile.count(QLatin1Char('\n')), 6) << firstFile.toStdString();
    EXPECT_EQ(fileText().count(QLatin1Char('\n')), 6) << fileText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, AwkwardName,
    testing::Values(
        std::pair("Empty", QString()), std::pair("Equals", QStringLiteral("a=b")),
        std::pair("OnlyEquals", QStringLiteral("==")), std::pair("Bracketed", QStringLiteral("[x]")),
        std::pair("OpeningBracket", QStringLiteral("[")), std::pair("ClosingBracket", QStringLiteral("a]b")),
        std::pair("EmptyBrackets", QStringLiteral("[]")), std::pair("Semicolon", QStringLiteral(";note")),
        std::pair("Hash", QStringLiteral("#define")), std::pair("LeadingBlank", QStringLiteral(" lead")),
        std::pair("TrailingBlank", QStringLiteral("trail ")),
        std::pair("BlanksAround", QStringLiteral("\t two  words  ")), std::pair("OnlyBlanks", QStringLiteral("   ")),
        std::pair("DoubleQuoted", QStringLiteral("\"quoted\"")), std::pair("TwoDoubleQuotes", QStringLiteral("\"\"")),
        std::pair("SingleQuoted", QStringLiteral("'single'")), std::pair("Percent", QStringLiteral("100%")),
        std::pair("LooksEscaped", QStringLiteral("%3D%5b%20")), std::pair("EscapeOfEscape", QStringLiteral("%2525")),
        std::pair("LineBreaks", QStringLiteral("one\ntwo\r\nthree")),
        std::pair("Nul", QStringLiteral("a") + QChar(0) + QStringLiteral("b")),
        std::pair("Cyrillic", QStringLiteral("Квадратный корень")),
        std::pair("OldEmptyWord", QStringLiteral("(пусто)")),
        std::pair("VeryLong", QString(3000, QChar(u'ж')) + QStringLiteral("=") + QString(3000, QLatin1Char('x')))),
    [](const auto& info) { return std::string(info.param.first); });

TEST_F(HelpStoreFile, EmptyTypeAndNameNeverMeetARealName)
{
    HelpStore::store(platform(), QString(), QString(), QStringLiteral("only the definition"));
    HelpStore::store(platform(), QStringLiteral("(пусто)"), QStringLiteral("(пусто)"), QStringLiteral("word"));
    HelpStore::store(platform(), QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("quotes"));
    EXPECT_EQ(HelpStore::types(platform()),
              (QStringList{QString(), QStringLiteral("(пусто)"), QStringLiteral("\"\"")}));
    EXPECT_EQ(HelpStore::names(platform(), QString()), QStringList{QString()});
    EXPECT_EQ(HelpStore::definition(platform(), QString(), QString()), QStringLiteral("only the definition"));
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("(пусто)"), QStringLiteral("(пусто)")),
              QStringLiteral("word"));
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("\"\""), QStringLiteral("\"\"")),
              QStringLiteral("quotes"));
}

TEST_F(HelpStoreFile, AwkwardNamesStayReadableInTheFile)
{
    HelpStore::store(platform(), QStringLiteral("C++ [operators]"), QStringLiteral("operator=="),
                     QStringLiteral("equal"));
    HelpStore::store(platform(), QString(), QStringLiteral(" ;x "), QStringLiteral("odd"));
    EXPECT_EQ(fileText(), QStringLiteral("[C++ [operators%5D]\noperator%3D%3D=equal\n\n[\"\"]\n%20;x%20=odd\n"));
}

TEST_F(HelpStoreFile, NamesWrittenByHandReadAsTheyLook)
{
    writeFile("[\xd0\x93\xd0\xb5\xd0\xbe\xd0\xbc\xd0\xb5\xd1\x82\xd1\x80\xd0\xb8\xd1\x8f]\n"
              "circle = a round figure\n"
              "100% sure=yes\n"
              "C:\\temp\\%d=path\n"
              "a+b [c] #d 'e'=mixed\n");
    const QString type = QStringLiteral("Геометрия");
    const QStringList names{QStringLiteral("circle"), QStringLiteral("100% sure"), QStringLiteral("C:\\temp\\%d"),
                            QStringLiteral("a+b [c] #d 'e'")};
    EXPECT_EQ(HelpStore::types(platform()), QStringList{type});
    EXPECT_EQ(HelpStore::names(platform(), type), names);
    const QStringList definitions{QStringLiteral("a round figure"), QStringLiteral("yes"), QStringLiteral("path"),
                                  QStringLiteral("mixed")};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(HelpStore::definition(platform(), type.toUpper(), names[i].toUpper()), definitions[i]) << i;

    // A new definition for a name written by hand replaces it in place.
    HelpStore::store(platform(), type, QStringLiteral("100% SURE"), QStringLiteral("no"));
    EXPECT_EQ(HelpStore::names(platform(), type), names);
    EXPECT_TRUE(fileText().contains(QStringLiteral("\n100% sure=no\n"))) << fileText().toStdString();
}

// Every short text over the characters that matter comes back from its stored form, which the file keeps
// as one name: no line break or NUL, no blank at either end, and nothing that ends or opens it early.
TEST(HelpStoreNames, EveryShortTextRoundTripsAndStaysOneName)
{
    const QString alphabet = QStringLiteral("%2035D=[];\"\t a\n");
    std::vector<QString> texts{QString()};
    for (int length = 1; length <= 4; ++length) {
        std::vector<QString> longer;
        for (const QString& text : texts)
            if (text.size() == length - 1)
                for (QChar c : alphabet)
                    longer.push_back(text + c);
        texts.insert(texts.end(), longer.begin(), longer.end());
    }
    for (const QString& text : texts) {
        const QString name = HelpStore::encodeName(text);
        const QString type = HelpStore::encodeType(text);
        ASSERT_EQ(HelpStore::decodeName(name), text) << name.toStdString();
        ASSERT_EQ(HelpStore::decodeName(type), text) << type.toStdString();
        for (const QString& stored : {name, type}) {
            ASSERT_FALSE(stored.isEmpty());
            ASSERT_FALSE(stored.contains(QLatin1Char('\n')) || stored.contains(QLatin1Char('\r')) ||
                         stored.contains(QChar(0)));
            ASSERT_FALSE(stored.front().isSpace() || stored.back().isSpace()) << stored.toStdString();
        }
        ASSERT_FALSE(name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char('[')) ||
                     name.startsWith(QLatin1Char(';')))
            << name.toStdString();
        ASSERT_FALSE(type.contains(QLatin1Char(']'))) << type.toStdString();
    }
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

// Entries stored into a long dictionary whose lists were shown (new ones appended, known ones replaced) are
// read back by this copy and by another running copy alike, and the file holds each entry once.
TEST_F(HelpStoreFile, StoredEntriesAreSeenHereAndByAnotherCopy)
{
    QByteArray file;
    for (int t = 0; t < 50; ++t) {
        file += "[Раздел " + QByteArray::number(t) + "]\n";
        for (int n = 0; n < 40; ++n)
            file += "Термин " + QByteArray::number(n) + "=определение " + QByteArray::number(t * 40 + n) + "\n";
    }
    writeFile(file);
    const QString middle = QStringLiteral("Раздел 25");
    for (const QString& type : HelpStore::types(platform()))
        HelpStore::definition(platform(), type, HelpStore::names(platform(), type).value(0));

    HelpStore::store(platform(), middle, QStringLiteral("Новый термин"), QStringLiteral("первое\nвторое"));
    HelpStore::store(platform(), middle, QStringLiteral("термин 7"), QStringLiteral("заменено"));
    HelpStore::store(platform(), QStringLiteral("Новый раздел"), QStringLiteral("Слово"), QStringLiteral("новое"));
    HelpStore::store(platform(), QStringLiteral("Раздел 49"), QStringLiteral("Последнее"), QStringLiteral("в конце"));

    auto other = anotherCopy();
    for (platform::Platform* copy : {&platform(), other.get()}) {
        const QStringList types = HelpStore::types(*copy);
        ASSERT_EQ(types.size(), 51);
        EXPECT_EQ(types.last(), QStringLiteral("Новый раздел"));
        const QStringList names = HelpStore::names(*copy, middle);
        ASSERT_EQ(names.size(), 41);
        EXPECT_EQ(names.last(), QStringLiteral("Новый термин"));
        EXPECT_EQ(names.count(QStringLiteral("Термин 7")), 1);
        EXPECT_EQ(HelpStore::definition(*copy, middle, QStringLiteral("Новый термин")),
                  QStringLiteral("первое\nвторое"));
        EXPECT_EQ(HelpStore::definition(*copy, middle, QStringLiteral("Термин 7")), QStringLiteral("заменено"));
        EXPECT_EQ(HelpStore::definition(*copy, middle, QStringLiteral("Термин 8")), QStringLiteral("определение 1008"));
        EXPECT_EQ(HelpStore::definition(*copy, QStringLiteral("Раздел 26"), QStringLiteral("Термин 0")),
                  QStringLiteral("определение 1040"));
        EXPECT_EQ(HelpStore::definition(*copy, QStringLiteral("Новый раздел"), QStringLiteral("слово")),
                  QStringLiteral("новое"));
        EXPECT_EQ(HelpStore::names(*copy, QStringLiteral("Раздел 49")).last(), QStringLiteral("Последнее"));
    }
    EXPECT_EQ(fileText().count(QStringLiteral("заменено")), 1);
    EXPECT_EQ(fileText().count(QLatin1Char('\n')), 50 * 41 + 3 + 1 + 1);
}

TEST_F(HelpStoreFile, MissingFileGivesEmptyAnswers)
{
    EXPECT_TRUE(HelpStore::types(platform()).isEmpty());
    EXPECT_TRUE(HelpStore::names(platform(), QStringLiteral("x")).isEmpty());
    EXPECT_EQ(HelpStore::definition(platform(), QStringLiteral("x"), QStringLiteral("y")), QString());
}

} // namespace
