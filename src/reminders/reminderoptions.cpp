#include "reminders/reminderoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "common/dialogs.h"
#include "platform/opener.h"
#include "platform/power.h"
#include "platform/sound.h"
#include "reminders/tmessia.h"

ReminderOptions::ReminderOptions(const Widgets& widgets, Prompt prompt, std::function<TMessia*()> messia,
                                 platform::Platform& platform)
    : m_widgets(widgets), m_prompt(prompt), m_messia(std::move(messia)), m_platform(platform),
      m_fileName(widgets.fileLabel->text())
{
    // Typed text never picks an item: no completion, and neither Enter nor leaving the box looks for a
    // matching entry.
    m_widgets.action->setCompleter(nullptr);
    QObject::disconnect(m_widgets.action->lineEdit(), &QLineEdit::editingFinished, m_widgets.action, nullptr);
    // The form's text stays, with no item picked.
    const QString shown = m_widgets.action->currentText();
    m_widgets.action->setCurrentIndex(-1);
    m_widgets.action->setEditText(shown);
}

void ReminderOptions::panelClick()
{
    m_widgets.panel->hide();
}

void ReminderOptions::fileLabelClick()
{
    if (const auto chosen = Dialogs::openFile(QStringLiteral("Чо Врубить"), QStringLiteral("Все файлы|*.*")))
        m_fileName = *chosen;
    m_widgets.fileLabel->setText(m_fileName);
}

void ReminderOptions::messageCheckClick()
{
    if (!m_widgets.message->isChecked())
        return;
    TMessia* messia = m_messia ? m_messia() : nullptr;
    if (!messia)
        return;
    if (m_prompt == Prompt::Timer)
        messia->openForTimer();
    else
        messia->openForAlarm();
}

QString ReminderOptions::messageText() const
{
    TMessia* messia = m_messia ? m_messia() : nullptr;
    if (!messia)
        return QStringLiteral("Текст сообщения");
    return m_prompt == Prompt::Timer ? messia->timerText() : messia->alarmText();
}

void ReminderOptions::fire()
{
    if (!m_widgets.message->isChecked() && !m_widgets.file->isChecked())
        m_platform.get<platform::Sound>().errorBeep();
    if (m_widgets.message->isChecked())
        Dialogs::message(messageText());
    if (m_widgets.file->isChecked())
        m_platform.get<platform::Opener>().open(m_fileName.toStdString());
    switch (selectedAction(*m_widgets.action)) {
    case 1:
        m_platform.get<platform::Power>().request(platform::PowerAction::LogOff);
        break;
    case 2:
        m_platform.get<platform::Power>().request(platform::PowerAction::Restart);
        break;
    case 3:
        m_platform.get<platform::Power>().request(platform::PowerAction::PowerOff);
        break;
    default:
        break;
    }
}

int selectedAction(const QComboBox& box)
{
    const int index = box.currentIndex();
    if (index <= 0 || index > 3 || box.currentText() != box.itemText(index))
        return 0;
    return index;
}
