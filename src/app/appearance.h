#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "common/storedvalue.h"

namespace Ui {
class MainPage;
} // namespace Ui
class Shell;
class QAction;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TStatusBar;

// What the user changes about the main window and the small notices around it: the colour, the scale, the
// status bar's panel texts, the menu messages, the calendar panel, the console key and the hiding of the
// error indicator. It keeps the scale and stores it with the page the notebook shows.
class Appearance final : public QObject
{
    Q_OBJECT
public:
    /// The window's controls and menu items that Appearance answers or reads.
    struct Widgets
    {
        QPushButton& BitBtn1;
        QAction& N8;
        QAction& N32;
        QAction& N40;
        TStatusBar& StatusBar1;
        QWidget& Label19;
        QWidget& centralwidget;
        QWidget& console; // compared with where a key goes, never touched
        QLineEdit& Edit1;
        QTabWidget& TabbedNotebook1;
    };
    Appearance(Shell& shell, Widgets widgets, Ui::MainPage& mainPage);

    void BitBtn1Click();
    /// The scale entry's key filter; true when the key is taken (applied or discarded).
    bool Edit1KeyPress(QKeyEvent* event);
    void Label19Click();
    void StatusBar1MouseDown(int x);
    void N32Click();
    void N40Click();
    void Panel9Click();
    /// The window's look at every key before the control that has the focus: the console key opens or closes
    /// the console; true when it was that key. The key still goes on to its control (on the Russian layout
    /// it types "ё"), except in the console itself, which it closes.
    bool FormKeyDown(QKeyEvent* event);
    void FormMouseMove();
    /// The calendar shows the date of the status bar's date panel.
    void setCalendarToPanelDate();
    /// The help menu's item N40 takes this caption (the service mode's switch gives it one).
    void setServiceMenuCaption(const QString& caption);

    /// ScalePercent: the scale the window was last given, in percent.
    int scalePercent() const { return m_scalePercent; }
    /// The scale, stored as the edit's text as typed, and the notebook's page; the page's row then shows the
    /// scale in the edit.
    std::vector<StoredValue> storedValues();

signals:
    /// The key left of "1" went down anywhere in the main window (the console opens or closes on it); the key
    /// is still on its way to the control it was typed in.
    void consoleKeyPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitCalendarToContent();
    bool m_calendarFitted = false;

    void setUpCalendar();

    Shell& m_shell;
    Widgets m_widgets;
    Ui::MainPage& m_main;
    int m_scalePercent = 100;
    // The key press last previewed and the control it went to first; compared, never dereferenced.
    const QEvent* m_previewedKey = nullptr;
    quint64 m_previewedKeyTime = 0;
    QPointer<QWidget> m_previewedAt;
};
