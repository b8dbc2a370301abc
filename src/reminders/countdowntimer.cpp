#include "reminders/countdowntimer.h"

#include "common/clickfilter.h"
#include "common/shell.h"
#include "ui_RemindPage.h"

CountdownTimer::CountdownTimer(Ui::RemindPage& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia)
    : m_shell(shell), m_group({ui.GroupBox12,
                               ui.BitBtn13,
                               ui.Shape6,
                               {ui.NumEdit1, ui.NumEdit2, ui.NumEdit3},
                               {ui.ScrollBar1, ui.ScrollBar2, ui.ScrollBar3},
                               {ui.Panel11, ui.CheckBox14, ui.CheckBox17, ui.Label78, ui.ComboBox9}},
                              m_rule, ReminderOptions::Prompt::Timer, shell, timer, std::move(messia))
{
    MouseHandlers::onMouseMove(ui.GroupBox12, [this](QMouseEvent*) { GroupBox12MouseMove(); });
}

void CountdownTimer::GroupBox12MouseMove()
{
    m_shell.hideErrorIndicator();
}
