#include "console/consolecontroller.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include "common/clickfilter.h"
#include "common/colors.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "console/consolearguments.h"
#include "console/consoleline.h"
#include "console/consoletexts.h"
#include "platform/cddoor.h"
#include "platform/platform.h"

namespace {

void invertVisibility(QWidget* widget)
{
    // The widget's own flag, not what is on screen: the window may be hidden or minimised meanwhile.
    widget->setHidden(!widget->isHidden());
}

} // namespace

ConsoleController::ConsoleController(Shell& shell, Widgets widgets, QTimer& timer7, QObject* parent)
    : QObject(parent), m_shell(shell), m_widgets(widgets), m_timer7(timer7)
{
    connectGuarded(&widgets.Button21, &QPushButton::clicked, this, &ConsoleController::Button21Click);
    connectGuarded(&widgets.N41, &QAction::triggered, this, &ConsoleController::N41Click);
    connectGuarded(&widgets.conbut, &QToolButton::clicked, this, &ConsoleController::conbutClick);
    // Enter in the line runs it as the button does.
    connect(&widgets.console, &QLineEdit::returnPressed, &widgets.conbut, &QToolButton::click);
    connectGuarded(&timer7, &QTimer::timeout, this, &ConsoleController::Timer7Timer);
    MouseHandlers::onClick(&widgets.Image3, [this] { Image3Click(); });
    MouseHandlers::onDoubleClick(&widgets.Image3, [this] { Image3DblClick(); });
}

void ConsoleController::ToggleConsole()
{
    toggle(Focus::Now);
}

void ConsoleController::ToggleConsoleByKey()
{
    toggle(Focus::AfterTheEvent);
}

void ConsoleController::toggle(Focus focus)
{
    invertVisibility(&m_widgets.Button21);
    invertVisibility(&m_widgets.console);
    invertVisibility(&m_widgets.conbut);
    if (m_widgets.console.isHidden()) {
        m_widgets.console.clear();
        return;
    }
    if (focus == Focus::Now) {
        m_widgets.console.setFocus();
        return;
    }
    // Taking the focus at once would end the editing the key is meant for (a notes cell's editor closes when
    // it loses the focus), and the letter would be lost.
    QTimer::singleShot(0, &m_widgets.console, [console = &m_widgets.console] {
        if (!console->isHidden())
            console->setFocus();
    });
}

void ConsoleController::Button21Click()
{
    ToggleConsole();
}

void ConsoleController::N41Click()
{
    m_widgets.Button21.click();
    m_widgets.N41.setChecked(!m_widgets.Button21.isHidden());
}

void ConsoleController::Image3Click()
{
    m_widgets.console.setText(ConsoleTexts::ServicePrefill);
}

void ConsoleController::Image3DblClick()
{
    ToggleConsole();
}

void ConsoleController::conbutClick()
{
    ExecuteConsoleLine(m_widgets.console.text());
}

void ConsoleController::ExecuteConsoleLine(const QString& line)
{
    if (const std::optional<ConsoleCall> call = findConsoleCommand(line))
        ExecuteConsoleCommand(call->index, call->argument);
}

void ConsoleController::ExecuteConsoleCommand(int index, const QString& argument)
{
    const std::optional<ConsoleCommand> action = consoleAction(index);
    if (!action)
        return;
    switch (*action) {
    case ConsoleCommand::ZQ5:
        m_shell.setCaption(ConsoleTexts::Zq5Caption);
        return;
    case ConsoleCommand::FormName:
        m_shell.setCaption(argument);
        return;
    case ConsoleCommand::Brundan:
        m_shell.setCaption(ConsoleTexts::BrundanCaption);
        return;
    case ConsoleCommand::FormColor:
        m_shell.setWindowColor(StrToInt(argument));
        return;
    case ConsoleCommand::Close:
        m_shell.requestClose(ConsoleArguments::isExactlyOne(argument));
        return;
    case ConsoleCommand::Hide:
        hideForAWhile(argument);
        return;
    case ConsoleCommand::ConColor:
        setConsoleColor(StrToInt(argument));
        return;
    case ConsoleCommand::Help:
        Dialogs::message(ConsoleTexts::HelpMessage);
        return;
    case ConsoleCommand::Service:
        serviceCommand(argument);
        return;
    case ConsoleCommand::Cd:
        cdCommand(argument);
        return;
    }
}

// The window and the tray icon go first; an argument that is no interval leaves the timer at the interval it
// had, so both still come back.
void ConsoleController::hideForAWhile(const QString& argument)
{
    m_shell.mainWindow()->hide();
    m_shell.setTrayIconVisible(false);
    m_timer7.start();
    m_timer7.setInterval(ConsoleArguments::hideInterval(argument));
}

// Both come back, the tray icon even if it was hidden before the command. Showing rather than inverting: a
// window something else had brought back meanwhile would otherwise vanish with no timer left to return it.
void ConsoleController::Timer7Timer()
{
    m_shell.mainWindow()->show();
    m_shell.setTrayIconVisible(true);
    m_timer7.stop();
}

void ConsoleController::setConsoleColor(qint32 color)
{
    // The edit's look comes from its style sheet (which the window's scaling also rewrites), so the colour
    // goes there too, in place of an earlier one. A style sheet's background drops the edit's own frame; a
    // plain one of its own keeps the line an edit rather than a coloured strip.
    static const QRegularExpression previous(QStringLiteral("\\s*(background-color|border)\\s*:[^;]*;?"));
    QString sheet = m_widgets.console.styleSheet();
    sheet.remove(previous);
    sheet += QStringLiteral(" background-color: %1; border: 1px solid gray;").arg(colorFromTColor(color).name());
    m_widgets.console.setStyleSheet(sheet.trimmed());
}

void ConsoleController::serviceCommand(const QString& argument)
{
    Dialogs::message(ConsoleTexts::Greeting);
    if (!ConsoleArguments::isExactlyOne(argument))
        return;
    m_serviceMode = !m_serviceMode;
    emit servicePanelsToggleRequested(ConsoleTexts::ServiceMenuCaption);
}

// Whether the drive took the request is not asked: a machine without one stays silent.
void ConsoleController::cdCommand(const QString& argument)
{
    switch (ConsoleArguments::cdDoor(argument)) {
    case ConsoleArguments::CdDoor::Open:
        m_shell.platform().get<platform::CdDoor>().open();
        return;
    case ConsoleArguments::CdDoor::Close:
        m_shell.platform().get<platform::CdDoor>().close();
        return;
    case ConsoleArguments::CdDoor::AskWhich:
        Dialogs::message(ConsoleTexts::ChooseDoor);
        return;
    case ConsoleArguments::CdDoor::Ignore:
        return;
    }
}
