#include "app/statistics.h"

#include "app/tform1.h"
#include "app/usagecounter.h"
#include "common/clickfilter.h"
#include "console/commandtable.h"
#include "ui_Form1.h"

Statistics::Statistics(TForm1& form, Ui::Form1& ui) : m_form(form), m_ui(ui)
{
    connect(&form.Timer8, &QTimer::timeout, this, &Statistics::Timer8Timer);
    MouseHandlers::onClick(ui.Edit7, [this] { Edit7Click(); });
}

void Statistics::Timer8Timer()
{
    addOneSecond(m_form.totals);
    addOneSecond(run);
    m_ui.Label85->setText(FormatDuration(run));
}

void Statistics::refresh()
{
    m_ui.Label83->setText(SettingsStore::read(m_form.platform(), QStringLiteral("Запускалси")) +
                          QStringLiteral(" раз"));
    m_ui.Label82->setText(FormatDuration(m_form.totals));
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
