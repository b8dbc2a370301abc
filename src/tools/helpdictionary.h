#pragma once

#include <QObject>

namespace Ui {
class Form1;
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
    HelpDictionary(Ui::Form1& form, Shell& shell, QObject* parent = nullptr);

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
    void Label23Click();
    void Label29Click();
    void TabSheet1MouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activateLayoutFor(const QLabel* languageLabel);
    void openHelpFile();
    static void toggleLanguage(QLabel* label);
    static void reloadKeepingText(QComboBox* box, const QStringList& items);

    Ui::Form1& m_form;
    Shell& m_shell;
    int m_currentTab = 0;
};
