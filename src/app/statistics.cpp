#include "app/statistics.h"

#include <QTimer>

#include "app/usagecounter.h"
#include "common/clickfilter.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "console/commandtable.h"
#include "forms/infopage.h"
#include "ui_InfoPage.h"

namespace {

constexpr char LaunchCount[] = "Запускалси";

} // namespace

Statistics::Statistics(Shell& shell, QTimer& tick, InfoPage& page) : m_shell(shell), m_tick(tick), m_page(page)
{
    connectGuarded(&tick, &QTimer::timeout, this, &Statistics::Timer8Timer);
    m_page.whenBuilt([this] { MouseHandlers::onClick(ui().Edit7, [this] { Edit7Click(); }); });
}

Ui::InfoPage& Statistics::ui()
{
    return m_page.form();
}

void Statistics::Timer8Timer()
{
    addOneSecond(totals);
    addOneSecond(run);
    ui().Label85->setText(FormatDuration(run));
}

void Statistics::refresh()
{
    ui().Label83->setText(SettingsStore::read(m_shell.platform(), QString::fromUtf8(LaunchCount)) +
                          QStringLiteral(" раз"));
    ui().Label82->setText(FormatDuration(totals));
    ui().Label85->setText(FormatDuration(run));
}

void Statistics::toggleServicePanel()
{
    // The widget's own flag, not what is on screen: the window may be hidden or minimised meanwhile.
    ui().Panel13->setHidden(!ui().Panel13->isHidden());
    refresh();
}

void Statistics::Edit7Click()
{
    QString words;
    for (const QString& word : ConsoleCommands()) {
        if (!word.isEmpty())
            words += word + QStringLiteral(", ");
    }
    ui().Edit7->setText(words);
}

void Statistics::loadTotals(const UsageTotals& stored)
{
    totals = stored;
    m_totalsLoaded = true;
    m_tick.start();
}

int Statistics::countLaunch()
{
    const QString name = QString::fromUtf8(LaunchCount);
    const int count = StrToInt(SettingsStore::read(m_shell.platform(), name)) + 1;
    SettingsStore::write(m_shell.platform(), name, QString::number(count));
    return count;
}

std::vector<StoredValue> Statistics::storedValues()
{
    // Nothing to store for a field of totals this run never loaded.
    const auto total = [this](int UsageTotals::*field) {
        return [this, field]() -> std::optional<QString> {
            return m_totalsLoaded ? std::optional<QString>(QString::number(totals.*field)) : std::nullopt;
        };
    };
    return {
        {"rs", [this](const QString& value) { m_reading.seconds = StrToInt(value); }, total(&UsageTotals::seconds),
         "0"},
        {"rd", [this](const QString& value) { m_reading.days = StrToInt(value); }, total(&UsageTotals::days), "0"},
        {"rm", [this](const QString& value) { m_reading.minutes = StrToInt(value); }, total(&UsageTotals::minutes),
         "0"},
        {"rh",
         [this](const QString& value) {
             m_reading.hours = StrToInt(value);
             loadTotals(m_reading);
         },
         total(&UsageTotals::hours), "0"},
        // Counted at every activation (countLaunch), never with the other values; the first run starts it at 0.
        {.name = LaunchCount, .firstRunText = "0"},
    };
}
