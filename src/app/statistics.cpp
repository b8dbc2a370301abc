#include "app/statistics.h"

#include <QTimer>

#include "app/usagecounter.h"
#include "common/clickfilter.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "console/commandtable.h"
#include "ui_InfoPage.h"

Statistics::Statistics(Shell& shell, QTimer& tick, Ui::InfoPage& ui) : m_shell(shell), m_tick(tick), m_ui(ui)
{
    connectGuarded(&tick, &QTimer::timeout, this, &Statistics::Timer8Timer);
    MouseHandlers::onClick(ui.Edit7, [this] { Edit7Click(); });
}

void Statistics::Timer8Timer()
{
    addOneSecond(totals);
    addOneSecond(run);
    m_ui.Label85->setText(FormatDuration(run));
}

void Statistics::refresh()
{
    m_ui.Label83->setText(SettingsStore::read(m_shell.platform(), QStringLiteral("Запускалси")) +
                          QStringLiteral(" раз"));
    m_ui.Label82->setText(FormatDuration(totals));
    m_ui.Label85->setText(FormatDuration(run));
}

void Statistics::toggleServicePanel()
{
    // The widget's own flag, not what is on screen: the window may be hidden or minimised meanwhile.
    m_ui.Panel13->setHidden(!m_ui.Panel13->isHidden());
    refresh();
}

void Statistics::Edit7Click()
{
    QString words;
    for (const QString& word : ConsoleCommands()) {
        if (!word.isEmpty())
            words += word + QStringLiteral(", ");
    }
    m_ui.Edit7->setText(words);
}

void Statistics::loadTotals(const UsageTotals& stored)
{
    totals = stored;
    m_totalsLoaded = true;
    m_tick.start();
}

std::vector<Lifecycle::StoredValue> Statistics::storedValues()
{
    // Read into a copy, so that a value that is not a number leaves the totals as they were.
    return {
        {"rs", [this](const QString& value) { m_reading.seconds = StrToInt(value); }},
        {"rd", [this](const QString& value) { m_reading.days = StrToInt(value); }},
        {"rm", [this](const QString& value) { m_reading.minutes = StrToInt(value); }},
        {"rh",
         [this](const QString& value) {
             m_reading.hours = StrToInt(value);
             loadTotals(m_reading);
         }},
    };
}

std::optional<UsageTotals> Statistics::totalsToStore() const
{
    return m_totalsLoaded ? std::optional<UsageTotals>(totals) : std::nullopt;
}
