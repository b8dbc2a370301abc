#include "app/statistics.h"

#include "app/usagecounter.h"
#include "common/clickfilter.h"
#include "common/shell.h"
#include "console/commandtable.h"
#include "ui_Form1.h"

Statistics::Statistics(Shell& shell, QTimer& tick, Ui::Form1& ui) : m_shell(shell), m_ui(ui)
{
    connect(&tick, &QTimer::timeout, this, &Statistics::Timer8Timer);
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
}

std::optional<UsageTotals> Statistics::totalsToStore() const
{
    return m_totalsLoaded ? std::optional<UsageTotals>(totals) : std::nullopt;
}
