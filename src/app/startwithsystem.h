#pragma once

#include <QObject>

namespace Ui {
class Form1;
}
class TForm1;

// Registering the program to start once at the next logon: two menu items and a check box.
class StartWithSystem final : public QObject
{
    Q_OBJECT
public:
    StartWithSystem(TForm1& form, Ui::Form1& ui);

    void N10Click();
    void N11Click();
    void CheckBox6Click();

private:
    void registerProgram();
    void unregisterProgram();

    TForm1& m_form;
    Ui::Form1& m_ui;
};
