#pragma once

#include <QObject>
#include <optional>
#include <vector>

#include "app/lifecycle.h"
#include "app/settingsstore.h"

class QTimer;
class Shell;
namespace Ui {
class InfoPage;
}

// Running time of this run and in total, counted by Timer8, and the service panel that shows them.
class Statistics final : public QObject
{
    Q_OBJECT
public:
    Statistics(Shell& shell, QTimer& tick, Ui::InfoPage& ui);

    void Timer8Timer();
    /// The panel's three figures: the launch count read afresh from the store, the total and this run's time.
    void refresh();
    /// The service mode shows the panel with its figures read afresh, and hides it again when it ends.
    void toggleServicePanel();
    /// Lists the console's command words in Edit7.
    void Edit7Click();

    /// Takes the stored totals and starts counting; from then on they are counted on and written back at close.
    void loadTotals(const UsageTotals& stored);
    /// The stored totals "rs", "rd", "rm", "rh" in the order activation restores them; the last one loads them.
    std::vector<Lifecycle::StoredValue> storedValues();
    /// What the close writes: nothing when this run never loaded the totals, so zeros cannot overwrite them.
    std::optional<UsageTotals> totalsToStore() const;

    /// RunSeconds, RunMinutes, RunHours, RunDays: this process's running time.
    UsageTotals run;
    /// rs, rm, rh, rd: the running time over all runs.
    UsageTotals totals;

private:
    Shell& m_shell;
    QTimer& m_tick;
    UsageTotals m_reading;
    bool m_totalsLoaded = false;
    Ui::InfoPage& m_ui;
};
