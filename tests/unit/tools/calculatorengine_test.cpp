#include <gtest/gtest.h>

#include <QLocale>

#include "common/errors.h"
#include "tools/calculatorengine.h"
#include "unit/clibrarylocale.h"

namespace {

// Presses keys written as characters: digits, "," "+" "-" "*" "/" "=" and "c". Returns the text of the
// error the last key raised, if any; the keys after an error are still pressed.
QString press(CalculatorEngine& engine, const std::string& keys)
{
    QString error;
    for (const char key : keys) {
        try {
            error.clear();
            switch (key) {
            case ',':
                engine.comma();
                break;
            case '+':
                engine.operation(CalculatorEngine::Add);
                break;
            case '-':
                engine.operation(CalculatorEngine::Subtract);
                break;
            case '*':
                engine.operation(CalculatorEngine::Multiply);
                break;
            case '/':
                engine.operation(CalculatorEngine::Divide);
                break;
            case '=':
                engine.equals();
                break;
            case 'c':
                engine.clear();
                break;
            case ' ':
                break;
            default:
                engine.digit(key - '0');
            }
        } catch (const TrombusError& e) {
            error = e.message();
        }
    }
    return error;
}

struct KeyCase
{
    const char* name;
    std::string keys;
    QString display; // written with "," for the decimal separator
    QString error;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c)
{
    return out << c.name;
}

const QString DivByZero = QStringLiteral("Floating point division by zero");
const QString Invalid = QStringLiteral("Invalid floating point operation");
const QString Overflow = QStringLiteral("Floating point overflow");

const KeyCase keyCases[] = {
    {"StartShowsZero", "", "0", {}},
    {"EqualsAndZeroAtStartChangeNothing", "=0=0", "0", {}},
    {"CommaAtStart", ",", "0,", {}},
    {"SecondCommaIgnored", ",,", "0,", {}},
    {"CommaFive", ",5", "0,5", {}},
    {"CommaZeroFive", ",05", "0,05", {}},
    {"CommaAfterDigitsThenMore", "12,5,3", "12,53", {}},
    {"TrailingCommaReadsAsWhole", "5,+", "5", {}},
    {"AddThenEquals", "12+3=", "15", {}},
    {"EqualsDoesNotRepeat", "12+3==", "15", {}},
    {"LeftToRightAtOperator", "2+3*", "5", {}},
    {"LeftToRightAtEquals", "2+3*4=", "20", {}},
    {"LaterOperatorReplaces", "12+*3=", "36", {}},
    {"NewNumberAfterEqualsReplacesResult", "7=5+1=", "6", {}},
    {"OperatorAfterEqualsContinues", "7=+1=", "8", {}},
    {"ZeroIgnoredAfterOperator", "5/0=", "5", {}},
    {"ZeroAppendedWhileEntering", "10+", "10", {}},
    {"OneThird", "1/3=", "0,333333", {}},
    {"TwoThirds", "2/3=", "0,666667", {}},
    {"Million", "1000000+", "1E6", {}},
    {"SinglePrecisionEntry", "16777217+", "1,67772E7", {}},
    {"SinglePrecisionNineDigits", "123456789+", "1,23457E8", {}},
    {"TenThousandth", "1/10000=", "0,0001", {}},
    {"HundredThousandth", "1/100000=", "1E-5", {}},
    {"PointOnePlusPointTwo", ",1+,2=", "0,3", {}},
    {"Negative", "3-5=", "-2", {}},
    {"SingleRoundingOfSum", "16777216+1=", "1,67772E7", {}},
    {"DivisionByZero", "5/,=", "0,", DivByZero},
    {"DivisionByZeroRepeats", "5/,==", "0,", DivByZero},
    {"ZeroByZero", ",/,=", "0,", Invalid},
    {"ClearAfterError", "5/,=c", "0", {}},
    {"TypedNumberTooLarge", "1000000000000000000000000000000000000000+", "1000000000000000000000000000000000000000",
     Overflow},
    {"ResultTooLarge", "100000000000000000000*100000000000000000000=", "100000000000000000000", Overflow},
    {"LargestFloatStillFits", "340282346638528859811704183484516925440+", "3,40282E38", {}},
    {"TooSmallBecomesZero", ",000000000000000000000000000001*,000000000000000000000000000001=", "0", {}},
    {"ErrorKeepsPendingOperation", "5/,=2=", "25", {}},
};

class CalculatorKeys : public testing::TestWithParam<std::tuple<KeyCase, const char*>>
{
};

TEST_P(CalculatorKeys, DisplayAndError)
{
    const auto& [keyCase, localeName] = GetParam();
    const bool russian = std::string(localeName) != "C";
    const CLibraryLocale cLibrary(russian ? "ru_RU.UTF-8" : "C");
    QLocale::setDefault(QLocale(QString::fromLatin1(localeName)));
    const QChar separator = QLocale().decimalPoint().front();
    CalculatorEngine engine(separator);
    const QString error = press(engine, keyCase.keys);
    QString expected = keyCase.display;
    expected.replace(QLatin1Char(','), separator);
    EXPECT_EQ(engine.display().toStdString(), expected.toStdString());
    EXPECT_EQ(error.toStdString(), keyCase.error.toStdString());
    QLocale::setDefault(QLocale::c());
}

INSTANTIATE_TEST_SUITE_P(Keys, CalculatorKeys,
                         testing::Combine(testing::ValuesIn(keyCases), testing::Values("ru_RU", "C")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    (std::string(std::get<1>(info.param)) == "C" ? "C" : "Russian");
                         });

TEST(CalculatorState, FailedKeyLeavesEveryPartAsItWas)
{
    CalculatorEngine failing;
    press(failing, "9/,");
    ASSERT_EQ(press(failing, "+"), DivByZero);
    EXPECT_EQ(failing.Accumulator, 9.0f);
    EXPECT_EQ(failing.PendingOp, CalculatorEngine::Divide);
    EXPECT_EQ(failing.Entering, 1);
    EXPECT_EQ(failing.display(), QStringLiteral("0,"));
}

TEST(CalculatorState, AccumulatorHoldsSinglePrecision)
{
    CalculatorEngine engine;
    press(engine, "1/3=");
    EXPECT_EQ(engine.Accumulator, 1.0f / 3.0f);
    press(engine, "c123456789+");
    EXPECT_EQ(engine.Accumulator, 123456792.0f);
}

TEST(CalculatorState, EntryUnderOtherConventionsIsNotANumber)
{
    CalculatorEngine engine(QLatin1Char(','));
    press(engine, "1,5");
    engine.setDecimalSeparator(QLatin1Char('.'));
    EXPECT_EQ(press(engine, "+"), QStringLiteral("'1,5' is not a valid floating point value"));
    EXPECT_EQ(engine.display(), QStringLiteral("1,5"));
    EXPECT_EQ(engine.Entering, 1);
}

} // namespace
