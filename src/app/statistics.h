#pragma once

#include <QObject>
#include <optional>

#include "app/settingsstore.h"

class QTimer;
class Shell;
namespace Ui {
class Form1;
}

// Running time of this run and in total, counted by Timer8, and the service panel that shows them.
class Statistics final : public QObject
{
    Q_OBJECT
public:
    Statistics(Shell& shell, QTimer& tick, Ui::Form1& ui);

    void Timer8Timer();
    /// The panel's three figures: the launch count read afresh from the store, the total and this run's time.
    void refresh();
    /// Lists the console's command words in Edit7.
    void Edit7Click();

    /// Takes the stored totals; from then on they are counted on and written back at close.
    void loadTotals(const UsageTotals& stored);
    /// What the close writes: nothing when this run never loaded the totals, so zeros cannot overwrite them.
    std::optional<UsageTotals> totalsToStore() const;

    /// RunSeconds, RunMinutes, RunHours, RunDays: this process's running time.
    UsageTotals run;
    /// rs, rm, rh, rd: the running time over all runs.
    UsageTotals totals;

private:
    Shell& m_shell;
    bool m_totalsLoaded = false;
    Ui::Form1& m_ui;
};
