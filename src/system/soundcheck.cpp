#include "system/soundcheck.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>

#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "system/notes.h"
#include "ui_InfoPage.h"

namespace {

std::vector<QString> messagesBeforeTune()
{
    return {
        QStringLiteral(
            "Супер Стерео система обнаружена ,Вы желаете её проверить? есив Да \"OK\" а на Нет и кнопок нет)"),
        QStringLiteral("Загрузить супер пупер драйвер звука?"),
        QStringLiteral("Понял!"),
        QStringLiteral("У Вас в системе нет такого драйвера"),
        QStringLiteral("Для дальнейшей работы вам придется создать этот драйвер"),
        QStringLiteral("Ладно УЖ не надо создавать но купить его следует!"),
        QStringLiteral("О БОЖЕ!!! да увас Windows пиратский ВЫ ЗНАЛИ ЭТО?!"),
        QStringLiteral("Всё запускаю Супер Стерио Систему (Кароче для более удобного понимания и затраты времени на "
                       "чтение этих строк можно просто ССС не подумайте это не \"СССР\" Союз Советских "
                       "Сацыалистищестких Риспудлик кстати ща этава нет ща есть РФ - Российская ФедяРацыя ну ладно, а "
                       "то мы от темы отошли СССР развалилось, и много каллХозов тоже и т.д)..."),
        QStringLiteral("Для запуска необходимо Ваше вмешательство, а то ни как нажмите на _> ОК <_ шоб заустить Супер "
                       "Стерио Систему или как было ранее сказано для более удобного понимания и затраты времени на "
                       "чтение просто ССС"),
    };
}

} // namespace

SoundCheck::SoundCheck(Shell& shell, Ui::InfoPage& ui, platform::Sound& sound, QObject* parent)
    : QObject(parent), m_shell(shell), m_ui(ui), m_player(sound)
{
    m_steps.push_back({StepKind::Message, QStringLiteral("Внимание ТРБ проверит наличие Стерео Систем!")});
    m_steps.push_back({StepKind::Pause, {}});
    for (const QString& text : messagesBeforeTune())
        m_steps.push_back({StepKind::Message, text});
    m_steps.push_back({StepKind::Tune, {}});
    for (const char* text : {"Ну что АЙС.", "ТРБ обнаружила новое устройство", "Этож пианино!"})
        m_steps.push_back({StepKind::Message, QString::fromUtf8(text)});
    m_steps.push_back({StepKind::RevealPiano, {}});

    m_pause.setSingleShot(true);
    m_pause.setInterval(1000);
    m_pause.setTimerType(Qt::PreciseTimer);
    connectGuarded(&m_pause, &QTimer::timeout, this, &SoundCheck::runSteps);
    connectGuarded(&m_player, &NotePlayer::idle, this, &SoundCheck::playerIdle);
    connect(&m_player, &NotePlayer::noteEnded, this,
            [this](float frequency) { m_ui.ProgressBar2->setValue(notes::pitchBarPosition(frequency)); });

    connectGuarded(ui.SoundCheckButton, &QPushButton::clicked, this, &SoundCheck::SoundCheckButtonClick);
    QToolButton* const keys[] = {ui.KeyDo, ui.KeyRe, ui.KeyMi, ui.KeyFa, ui.KeySol, ui.KeyLya, ui.KeySi};
    for (int note = 0; note < 7; ++note)
        connectGuarded(keys[note], &QToolButton::clicked, this, [this, note] { KeyClick(note); });
    connectGuarded(ui.CheckBox18, &QCheckBox::clicked, this, &SoundCheck::CheckBox18Click);
    // The window sees every typed character before the control with the focus does.
    qApp->installEventFilter(this);
}

SoundCheck::~SoundCheck()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void SoundCheck::PlayNote(int durationMs, float frequency)
{
    m_player.PlayNote(durationMs, frequency);
}

void SoundCheck::KeyClick(int note)
{
    PlayNote(200, notes::NoteFrequencies[std::size_t(note)]);
}

void SoundCheck::CheckBox18Click()
{
    if (m_ui.CheckBox18->isChecked())
        Dialogs::message(QStringLiteral("с 1 до 7 (для особо одаренных 7-нот до ре ми фа силь лямбда труляля и ууу)"));
}

void SoundCheck::toggleServicePanels()
{
    // The widgets' own flags, not what is on screen: the window may be hidden or minimised meanwhile.
    m_ui.Panel14->setHidden(!m_ui.Panel14->isHidden());
    m_ui.Panel15->setHidden(!m_ui.Panel15->isHidden());
}

void SoundCheck::SoundCheckButtonClick()
{
    // The check once held the window until it was done, so a press during it ran the check again afterwards.
    if (checkRunning()) {
        ++m_repeats;
        return;
    }
    m_next = 0;
    runSteps();
}

void SoundCheck::runSteps()
{
    while (m_next >= 0 && m_next < int(m_steps.size())) {
        const Step& step = m_steps[std::size_t(m_next++)];
        switch (step.kind) {
        case StepKind::Message:
            Dialogs::message(step.text);
            break;
        case StepKind::Pause:
            m_pause.start();
            return;
        case StepKind::Tune:
            m_waitingForTune = true;
            for (const notes::TuneNote& note : notes::CheckTune)
                PlayNote(note.durationMs, notes::NoteFrequencies[std::size_t(note.note)]);
            return;
        case StepKind::RevealPiano:
            m_ui.Panel14->show();
            m_ui.CheckBox18->show();
            break;
        }
    }
    m_next = -1;
    if (m_repeats > 0) {
        --m_repeats;
        SoundCheckButtonClick();
    }
}

void SoundCheck::playerIdle()
{
    if (!m_waitingForTune)
        return;
    m_waitingForTune = false;
    runSteps();
}

bool SoundCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_ui.CheckBox18->isChecked())
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_shell.mainWindow())
        return false;
    // A key a control leaves unused travels up to its parents: only its first delivery, to the control with
    // the focus (or the window when none has it), is the typed character.
    QWidget* first = QApplication::focusWidget();
    if (widget != (first ? first : widget->window()))
        return false;
    if (const auto note = notes::noteForCharacter(static_cast<QKeyEvent*>(event)->text()))
        runGuarded([this, note] { KeyClick(*note); });
    return false;
}
