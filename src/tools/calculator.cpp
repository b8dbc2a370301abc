#include "tools/calculator.h"

#include "common/colors.h"
#include "common/guardedconnect.h"
#include "common/numberlocale.h"
#include "ui_HelpPage.h"

Calculator::Calculator(Ui::HelpPage& form, QObject* parent)
    : QObject(parent), m_form(form), m_engine(displayDecimalSeparator())
{
    m_engine.Entering = 0;
    m_engine.PendingOp = CalculatorEngine::None;
    QPalette palette = m_form.BtnC->palette();
    palette.setColor(QPalette::ButtonText, colorFromTColor(0x000000FF));
    m_form.BtnC->setPalette(palette);

    QPushButton* digits[] = {m_form.Btn0, m_form.Btn1, m_form.Btn2, m_form.Btn3, m_form.Btn4,
                             m_form.Btn5, m_form.Btn6, m_form.Btn7, m_form.Btn8, m_form.Btn9};
    connectGuarded(m_form.Btn0, &QPushButton::clicked, this, &Calculator::Btn0Click);
    for (int digit = 1; digit <= 9; ++digit)
        connectGuarded(digits[digit], &QPushButton::clicked, this, [this, digit] { DigitClick(digit); });
    connectGuarded(m_form.Btnk, &QPushButton::clicked, this, &Calculator::BtnkClick);
    connectGuarded(m_form.BtnP, &QPushButton::clicked, this, &Calculator::BtnPClick);
    connectGuarded(m_form.BtnM, &QPushButton::clicked, this, &Calculator::BtnMClick);
    connectGuarded(m_form.BtnUmn, &QPushButton::clicked, this, &Calculator::BtnUmnClick);
    connectGuarded(m_form.BtnDel, &QPushButton::clicked, this, &Calculator::BtnDelClick);
    connectGuarded(m_form.BtnE, &QPushButton::clicked, this, &Calculator::BtnEClick);
    connectGuarded(m_form.BtnC, &QPushButton::clicked, this, &Calculator::BtnCClick);
}

// The comma key types the separator of the conventions in force, so a fractional entry can always be read
// back (its caption stays ","); entries are read and results shown with the same separator.
void Calculator::followLocale()
{
    m_engine.setDecimalSeparator(displayDecimalSeparator());
}

void Calculator::show()
{
    m_form.Stati->setText(m_engine.display());
}

void Calculator::Btn0Click()
{
    followLocale();
    m_engine.digit(0);
    show();
}

void Calculator::DigitClick(int digit)
{
    followLocale();
    m_engine.digit(digit);
    show();
}

void Calculator::BtnkClick()
{
    followLocale();
    m_engine.comma();
    show();
}

void Calculator::operation(CalculatorEngine::Op op)
{
    followLocale();
    m_engine.operation(op);
    show();
}

void Calculator::BtnPClick()
{
    operation(CalculatorEngine::Add);
}

void Calculator::BtnMClick()
{
    operation(CalculatorEngine::Subtract);
}

void Calculator::BtnUmnClick()
{
    operation(CalculatorEngine::Multiply);
}

void Calculator::BtnDelClick()
{
    operation(CalculatorEngine::Divide);
}

void Calculator::BtnEClick()
{
    operation(CalculatorEngine::None);
}

void Calculator::BtnCClick()
{
    followLocale();
    m_engine.clear();
    show();
}
