#include "app/appearance.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include "app/appearancerules.h"
#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/colors.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/strtoint.h"
#include "ui_MainPage.h"
#include "widgets/tstatusbar.h"

Appearance::Appearance(Shell& shell, Widgets widgets, Ui::MainPage& mainPage)
    : m_shell(shell), m_widgets(widgets), m_main(mainPage)
{
    connectGuarded(&widgets.BitBtn1, &QPushButton::clicked, this, &Appearance::BitBtn1Click);
    connectGuarded(&widgets.N8, &QAction::triggered, this, &Appearance::BitBtn1Click);
    connectGuarded(&widgets.N32, &QAction::triggered, this, &Appearance::N32Click);
    connectGuarded(&widgets.N40, &QAction::triggered, this, &Appearance::N40Click);
    connectGuarded(&widgets.StatusBar1, &TStatusBar::mouseDown, this,
                   [this](int x, Qt::MouseButton) { StatusBar1MouseDown(x); });
    MouseHandlers::onClick(&widgets.Label19, [this] { Label19Click(); });
    // Presses the calendar leaves unused come up to the panel; only those on its border count.
    MouseHandlers::onMouseUp(mainPage.Panel9, [this](QMouseEvent* event) {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton && m_main.Panel9->rect().contains(at) &&
            !m_main.MonthCalendar1->geometry().contains(at))
            Panel9Click();
    });
    MouseHandlers::onMouseMove(&widgets.centralwidget, [this](QMouseEvent*) { FormMouseMove(); });
    MouseHandlers::onMouseMove(shell.mainWindow(), [this](QMouseEvent*) { FormMouseMove(); });
    // The window sees every key before its controls do, whichever of them has the focus; the scale entry's
    // own key filter runs here too, after the window's.
    qApp->installEventFilter(this);
    setUpCalendar();
}

void Appearance::setUpCalendar()
{
    // The strip and the calendar's frame belong to the panel: a press there is a press on the panel.
    m_main.Panel9Strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The program speaks Russian whatever the system's language: month and day names included.
    m_main.MonthCalendar1->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
}

// Measuring the calendar is a good share of the window's creation, so it waits until its page is first shown.
void Appearance::fitCalendarToContent()
{
    m_calendarFitted = true;
    const QSize content = m_main.MonthCalendar1->sizeHint();
    const QRect room = m_main.MonthCalendar1->geometry();
    m_main.MonthCalendar1->resize(std::min(content.width(), room.width()), std::min(content.height(), room.height()));
    // The panel keeps a narrow border around the calendar, and the strip spans its top.
    const QRect calendar = m_main.MonthCalendar1->geometry();
    m_main.Panel9->resize(calendar.right() + 1 + calendar.x(), calendar.bottom() + 1 + calendar.x());
    m_main.Panel9Strip->resize(calendar.width(), m_main.Panel9Strip->height());
}

bool Appearance::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_calendarFitted && watched == m_main.Panel9 && event->type() == QEvent::Show)
        fitCalendarToContent();
    // A press is passed up to the parents before its key is let go; the next press is another one.
    if (event->type() == QEvent::KeyRelease)
        m_previewedKey = nullptr;
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_shell.mainWindow())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // A key its control leaves unused goes on to the control's parents as the same event; the window has seen
    // it already then.
    const bool passedUp = event == m_previewedKey && key->timestamp() == m_previewedKeyTime && m_previewedAt &&
                          widget->isAncestorOf(m_previewedAt);
    if (!passedUp) {
        m_previewedKey = event;
        m_previewedKeyTime = key->timestamp();
        m_previewedAt = widget;
        if (FormKeyDown(key) && watched == &m_widgets.console)
            return true;
    }
    if (watched != &m_widgets.Edit1)
        return false;
    // A scale that does not convert is reported here, not thrown through Qt's event delivery, which cannot
    // unwind; the key is used up then, as a rejected one is.
    bool used = true;
    runGuarded([&] { used = Edit1KeyPress(key); });
    return used;
}

bool Appearance::FormKeyDown(QKeyEvent* event)
{
    if (!isConsoleKey(event->key()))
        return false;
    emit consoleKeyPressed();
    return true;
}

bool Appearance::Edit1KeyPress(QKeyEvent* event)
{
    switch (classifyScaleKey(event->key(), event->text())) {
    case ScaleKey::Digit:
    case ScaleKey::NoCharacter:
        return false;
    case ScaleKey::Rejected:
        m_shell.showErrorIndicator();
        return true;
    case ScaleKey::Apply:
        break;
    }
    const QString text = m_widgets.Edit1.text();
    if (text.isEmpty()) {
        m_shell.showErrorIndicator();
        return true;
    }
    const int percent = StrToInt(text);
    // Zero would shrink every control to nothing and make the undo divide by zero; a window larger than any
    // widget can be cannot be made. One larger than the screen is made, its title bar kept on the screen.
    if (percent <= 0 || !m_shell.scaleBy(percent, 100)) {
        m_shell.showErrorIndicator();
        return true;
    }
    m_scalePercent = percent;
    return true;
}

void Appearance::Label19Click()
{
    const int percent = m_scalePercent;
    if (percent <= 0)
        return;
    if (!m_shell.scaleBy(100, percent))
        m_shell.showErrorIndicator();
}

void Appearance::BitBtn1Click()
{
    Dialogs::message(
        QStringLiteral("Внимание изменение цвета формы может привести к ухудшению зрения или к его потере!!!"));
    if (const std::optional<QColor> chosen = Dialogs::chooseColor(colorFromTColor(m_shell.windowColor())))
        m_shell.setWindowColor(tcolorFromColor(*chosen));
    m_shell.mainWindow()->update();
}

void Appearance::StatusBar1MouseDown(int x)
{
    if (const std::optional<int> panel = statusPanelAt(x))
        Dialogs::message(m_widgets.StatusBar1.panelText(*panel));
}

void Appearance::N32Click()
{
    Dialogs::message(
        QStringLiteral("МОНА КЛИКАТЬ ПО СЕМУ (МИНОГА СЯКРЕТОФ!!!){ z.B. по Бегущей строке в левом нижнем углу}"));
}

void Appearance::N40Click()
{
    Dialogs::message(QStringLiteral("На этом прекрасном языке была написана Тромбус (На заметку: программа написанная "
                                    "на языке Си++ отличается своим умом и сообразительностью так как и операционки "
                                    "Windows! )"));
}

void Appearance::setServiceMenuCaption(const QString& caption)
{
    m_widgets.N40.setText(caption);
}

void Appearance::Panel9Click()
{
    Dialogs::message(QStringLiteral("И куда целимся???"));
}

void Appearance::FormMouseMove()
{
    m_shell.hideErrorIndicator();
}

void Appearance::setCalendarToPanelDate()
{
    // The panel shows a two-digit year; it is read back in the century of today.
    const QDate shown = QDate::fromString(m_widgets.StatusBar1.panelText(1), QStringLiteral("dd.MM.yy"));
    if (!shown.isValid())
        return;
    const int century = Clock::instance().today().year() / 100 * 100;
    m_main.MonthCalendar1->setSelectedDate(QDate(century + shown.year() % 100, shown.month(), shown.day()));
}

std::vector<StoredValue> Appearance::storedValues()
{
    return {
        {"maschtab",
         [this](const QString& value) {
             const int stored = StrToInt(value);
             // A scale of zero or below would shrink every control to nothing and later divide by zero: refused.
             // So is one whose window no widget could be.
             if (stored > 0 && m_shell.scaleBy(stored, 100))
                 m_scalePercent = stored;
         },
         [this] { return m_widgets.Edit1.text(); }},
        {"str",
         [this](const QString& value) {
             m_widgets.TabbedNotebook1.setCurrentIndex(StrToInt(value));
             m_widgets.Edit1.setText(QString::number(m_scalePercent));
         },
         [this] { return QString::number(m_widgets.TabbedNotebook1.currentIndex()); }},
    };
}
