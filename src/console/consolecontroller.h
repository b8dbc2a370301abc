#pragma once

#include <QObject>
#include <QString>

class Shell;
class QAction;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

// The hidden command console in the window's top-left corner: opening and closing it, running its lines and
// the service mode its hidden command switches.
class ConsoleController final : public QObject
{
    Q_OBJECT
public:
    /// The console's edit, its two buttons, the menu item that opens it and the corner picture.
    struct Widgets
    {
        QLineEdit& console;
        QToolButton& conbut;
        QPushButton& Button21;
        QAction& N41;
        QWidget& Image3;
    };
    ConsoleController(Shell& shell, Widgets widgets, QTimer& timer7, QObject* parent = nullptr);

    /// Shows or hides the edit and its two buttons together; an opened console takes the focus, a closed one
    /// forgets its line.
    void ToggleConsole();
    /// ToggleConsole for the key left of "1", which is still on its way to the control it was typed in: an
    /// opened console takes the focus once that control has the key.
    void ToggleConsoleByKey();
    void Button21Click();
    void N41Click();
    void Image3Click();
    void Image3DblClick();
    void conbutClick();
    void Timer7Timer();

    void ExecuteConsoleLine(const QString& line);
    void ExecuteConsoleCommand(int index, const QString& argument);

    /// Switched by the service command; never stored, off at every start.
    bool serviceMode() const { return m_serviceMode; }

signals:
    /// The service command switched the mode: the service panels that were hidden are to be shown and those
    /// shown hidden, and the help menu's item is to take this caption.
    void servicePanelsToggleRequested(const QString& menuCaption);

private:
    enum class Focus
    {
        Now,
        AfterTheEvent,
    };
    void toggle(Focus focus);
    void hideForAWhile(const QString& argument);
    void serviceCommand(const QString& argument);
    void cdCommand(const QString& argument);
    void setConsoleColor(qint32 color);

    Shell& m_shell;
    Widgets m_widgets;
    QTimer& m_timer7;
    bool m_serviceMode = false;
};
