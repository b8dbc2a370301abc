#pragma once

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/features.h"
#include "app/settingsstore.h"
#include "app/tform1.h"
#include "app/windowplacement.h"
#include "app/windows.h"
#include "dialogrecorder.h"
#include "forms/helppage.h"
#include "forms/infopage.h"
#include "forms/internetpage.h"
#include "forms/mainpage.h"
#include "forms/musicpage.h"
#include "forms/remindpage.h"
#include "platform/platform.h"
#include "testmain.h"
#include "ui_Form1.h"

// One program run for a GUI test: its own config folder (registry.reg and INI files live there), its own
// platform services, every box answered by a recorder, and the real windows. On the headless platform the
// desktop counts as having a tray unless a test says otherwise; the farewell caption does not hold up the
// close.
class TestWorld final
{
public:
    explicit TestWorld(QStringList arguments = {}, const QString& configDir = {});
    ~TestWorld();

    /// Creates the windows and shows the main window until its first activation has run; false (with the
    /// failure recorded) when the window never became active.
    [[nodiscard]] bool start();
    /// Creates the windows and shows the main window as the program does, without asking for it to become
    /// active or waiting for it (a start in the tray, or minimised, never becomes active).
    void startWithoutWaiting();
    /// Ends this run's windows (without the close path) so another run can start over the same folder.
    void stop();

    TForm1& form1() { return *windows->Form1; }
    Ui::Form1& ui() { return windows->Form1->form(); }
    /// The controllers and the design's timers.
    Features& features() { return windows->Form1->features(); }
    // The notebook pages' forms.
    Ui::MainPage& mainPage() { return ui().PageMain->form(); }
    Ui::HelpPage& helpPage() { return ui().PageHelp->form(); }
    Ui::RemindPage& remindPage() { return ui().PageRemind->form(); }
    Ui::InfoPage& infoPage() { return ui().PageInfo->form(); }
    Ui::MusicPage& musicPage() { return ui().PageMusic->form(); }
    Ui::InternetPage& internetPage() { return ui().PageInternet->form(); }

    /// A value of the settings key as stored; missing reads as empty.
    QString stored(const QString& name, const QString& key = SettingsKey);
    void store(const QString& name, const QString& value, const QString& key = SettingsKey);
    QStringList storedNames(const QString& key = SettingsKey);
    bool keyExists(const QString& key);

    QString configDir() const { return m_configDir; }

    DialogRecorder dialogs;
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<ProgramWindows> windows;

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_configDir;
    QStringList m_arguments;
};

/// Gives the main window the focus back from another window of the program, as a user returning to it;
/// false (with the failure recorded) when either window never became active.
[[nodiscard]] bool returnToMainWindow(TestWorld& world, QWidget* from);

/// Delivers everything already queued (and what that queues at once), so that a check for something that
/// must not have happened comes after everything that could have made it happen.
bool processQueuedEvents();
