#pragma once

#include <QObject>

namespace Ui {
class Form1;
}
class TForm1;
class QKeyEvent;

// What the user changes about the main window and the small notices around it: the colour, the scale, the
// status bar's panel texts, the menu messages, the calendar panel, the console key and the hiding of the
// error indicator.
class Appearance final : public QObject
{
    Q_OBJECT
public:
    Appearance(TForm1& form, Ui::Form1& ui);

    void BitBtn1Click();
    /// The scale entry's key filter; true when the key is taken (applied or discarded).
    bool Edit1KeyPress(QKeyEvent* event);
    void Label19Click();
    void StatusBar1MouseDown(int x);
    void N32Click();
    void N40Click();
    void Panel9Click();
    /// True when the key was the console key and the console was toggled.
    bool FormKeyDown(QKeyEvent* event);
    void FormMouseMove();
    /// The calendar shows the date of the status bar's date panel.
    void setCalendarToPanelDate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitCalendarToContent();
    bool m_calendarFitted = false;

    void setUpCalendar();

    TForm1& m_form;
    Ui::Form1& m_ui;
};
