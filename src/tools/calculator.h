#pragma once

#include <QObject>

#include "tools/calculatorengine.h"

namespace Ui {
class HelpPage;
}

// The pocket calculator "КАРКУРЯТОР": its keys drive the engine, whose display is shown in `Stati`. An
// error escapes the key's handler to the default error report with the state untouched.
class Calculator final : public QObject
{
    Q_OBJECT
public:
    explicit Calculator(Ui::HelpPage& form, QObject* parent = nullptr);

    void Btn0Click();
    void DigitClick(int digit);
    void BtnkClick();
    void BtnPClick();
    void BtnMClick();
    void BtnUmnClick();
    void BtnDelClick();
    void BtnEClick();
    void BtnCClick();

    const CalculatorEngine& engine() const { return m_engine; }

private:
    void operation(CalculatorEngine::Op op);
    void show();
    void followLocale();

    Ui::HelpPage& m_form;
    CalculatorEngine m_engine;
};
