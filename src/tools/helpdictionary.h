#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <utility>

namespace Ui {
class HelpPage;
}
class Shell;
class QComboBox;
class QLabel;
class QWidget;

// The help dictionary: entries typed on "Ввод инфы" go to "help.ini" (type = section, name = key), and
// "Вывод инфы" looks them up as the boxes' texts change. Also owns the events of the tab control.
class HelpDictionary final : public QObject
{
    Q_OBJECT
public:
    HelpDictionary(Ui::HelpPage& form, Shell& shell, QObject* parent = nullptr);

    void Button5Click();
    void q1Click();
    void q2Click();
    void q3Click();
    void Edit3Enter();
    void Edit4Enter();
    void Memo1Enter();
    void PageControl1Changing(int leaving);
    void PageControl1Change();
    void ComboBox5Change();
    void ComboBox6Change();
    /// A row picked from the list of the type or the name box.
    void ComboBox5Picked();
    void ComboBox6Picked();
    void Label23Click();
    void Label29Click();
    void TabSheet1MouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activateLayoutFor(const QLabel* languageLabel);
    void showDefinition(const QString& type, const QString& name);
    void openHelpFile();
    static void toggleLanguage(QLabel* label);
    static void reloadKeepingText(QComboBox* box, const QStringList& items);

    Ui::HelpPage& m_form;
    Shell& m_shell;
    int m_currentTab = 0;
    // The type whose names the name box lists, and the type and name whose definition is shown.
    std::optional<QString> m_namesOf;
    std::optional<std::pair<QString, QString>> m_shown;
};
