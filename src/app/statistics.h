#pragma once

#include <QObject>
#include <vector>

#include "app/settingsstore.h"
#include "common/storedvalue.h"

class QTimer;
class Shell;
namespace Ui {
class InfoPage;
}
class InfoPage;

// Running time of this run and in total, counted by Timer8, and the service panel of the information page that
// shows them.
class Statistics final : public QObject
{
    Q_OBJECT
public:
    /// The page's controls are made when the figures are first shown, or with the rest of the page.
    Statistics(Shell& shell, QTimer& tick, InfoPage& page);

    void Timer8Timer();
    /// The panel's three figures: the launch count read afresh from the store, the total and this run's time.
    void refresh();
    /// The service mode shows the panel with its figures read afresh, and hides it again when it ends.
    void toggleServicePanel();
    /// Lists the console's command words in Edit7.
    void Edit7Click();

    /// Takes the stored totals and starts counting; from then on they are counted on and written back at close.
    void loadTotals(const UsageTotals& stored);
    /// The stored totals and the launch count. The totals are read into a copy, which the hours load, as
    /// they come last of the four when activation restores them; the close writes them only when this run
    /// loaded them, so zeros cannot overwrite them.
    std::vector<StoredValue> storedValues();
    /// Reads the launch count, adds one and writes it back; throws ConvertError when it is not an integer.
    int countLaunch();

    /// RunSeconds, RunMinutes, RunHours, RunDays: this process's running time.
    UsageTotals run;
    /// rs, rm, rh, rd: the running time over all runs.
    UsageTotals totals;

private:
    Shell& m_shell;
    QTimer& m_tick;
    UsageTotals m_reading;
    bool m_totalsLoaded = false;
    Ui::InfoPage& ui();

    InfoPage& m_page;
};
