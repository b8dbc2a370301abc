#pragma once

#include <QObject>
#include <QString>

namespace Ui {
class Form1;
class InfoPage;
} // namespace Ui
class Shell;
class QTimer;

// The hidden command console in the window's top-left corner: opening and closing it, running its lines and
// the service mode its hidden command switches.
class ConsoleController final : public QObject
{
    Q_OBJECT
public:
    ConsoleController(Shell& shell, Ui::Form1& ui, Ui::InfoPage& infoPage, QTimer& timer7, QObject* parent = nullptr);

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
    /// The service command showed or hid the statistics panel: its figures are to be read afresh.
    void statisticsRefreshRequested();

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
    Ui::Form1& m_ui;
    Ui::InfoPage& m_info;
    QTimer& m_timer7;
    bool m_serviceMode = false;
};
