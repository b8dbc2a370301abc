#pragma once

#include <QObject>

#include "app/settingsstore.h"

namespace Ui {
class Form1;
}
class TForm1;

// Running time of this run and in total, counted by Timer8, and the service panel that shows them.
class Statistics final : public QObject
{
    Q_OBJECT
public:
    Statistics(TForm1& form, Ui::Form1& ui);

    void Timer8Timer();
    /// The panel's three figures: the launch count read afresh from the store, the total and this run's time.
    void refresh();
    /// Lists the console's command words in Edit7.
    void Edit7Click();

    /// RunSeconds, RunMinutes, RunHours, RunDays: this process's running time.
    UsageTotals run;

private:
    TForm1& m_form;
    Ui::Form1& m_ui;
};
