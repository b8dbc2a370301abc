#include "app/features.h"

#include "app/appearance.h"
#include "app/latepages.h"
#include "app/ledshow.h"
#include "app/lifecycle.h"
#include "app/notesgrid.h"
#include "app/settingsstore.h"
#include "app/startwithsystem.h"
#include "app/statistics.h"
#include "app/storedvalues.h"
#include "app/systemmenus.h"
#include "app/tform1.h"
#include "app/tickers.h"
#include "app/trayicon.h"
#include "common/guardedconnect.h"
#include "console/companioncontroller.h"
#include "console/consolecontroller.h"
#include "console/drivebuttons.h"
#include "console/launchercontroller.h"
#include "console/runboxcontroller.h"
#include "forms/clipboardgroup.h"
#include "forms/companiongroup.h"
#include "forms/helppage.h"
#include "forms/infopage.h"
#include "forms/internetpage.h"
#include "forms/keymousegroup.h"
#include "forms/launchergroup.h"
#include "forms/mainpage.h"
#include "forms/musicpage.h"
#include "forms/notepadgroup.h"
#include "forms/remindpage.h"
#include "forms/runboxgroup.h"
#include "forms/tweakgroup.h"
#include "media/mediacontrol.h"
#include "media/player.h"
#include "media/volumecontrols.h"
#include "media/webbrowser.h"
#include "media/webviewer.h"
#include "platform/diskspace.h"
#include "platform/printscreen.h"
#include "platform/sound.h"
#include "platform/volume.h"
#include "reminders/alarmclock.h"
#include "reminders/reminders.h"
#include "reminders/tmessia.h"
#include "system/informationpage.h"
#include "system/keycodes.h"
#include "system/soundcheck.h"
#include "system/systemtweaks.h"
#include "tools/calculator.h"
#include "tools/clipboardviewer.h"
#include "tools/diskmeter.h"
#include "tools/helpdictionary.h"
#include "tools/notepad.h"
#include "tools/stopwatch.h"
#include "ui_Form1.h"
#include "ui_HelpPage.h"
#include "ui_MainPage.h"

using Phase = Lifecycle::Phase;

Features::Features(TForm1& window, Ui::Form1& ui, TrayIcon& tray, platform::Platform& platform)
    : m_window(window), m_ui(ui), m_platform(platform)
{
    setUpTimers(window);
    createControllers(tray);
    connectFeatures();
    buildLifecycle();
}

Features::~Features() = default;

Ui::MainPage& Features::mainPage()
{
    return m_ui.PageMain->form();
}

void Features::setUpTimers(QObject& owner)
{
    struct Design
    {
        QTimer* timer;
        const char* name;
        int interval;
        bool enabled;
    };
    // Timer1 starts with the window's first show; the others start as they are listed here.
    const Design designs[] = {
        {&Timer1, "Timer1", 500, false},  {&Timer2, "Timer2", 200, true},   {&Timer3, "Timer3", 1, false},
        {&Timer4, "Timer4", 1000, true},  {&Timer5, "Timer5", 1000, true},  {&Timer6, "Timer6", 300, false},
        {&Timer7, "Timer7", 1000, false}, {&Timer8, "Timer8", 1000, false}, {&Tim, "Tim", 1000, false},
        {&pp, "pp", 1000, false},         {&TIMER, "TIMER", 1000, false},   {&BUDIL, "BUDIL", 1000, false},
    };
    for (const Design& design : designs) {
        // Children of the window, so that they are found under their names there.
        design.timer->setParent(&owner);
        design.timer->setObjectName(QString::fromLatin1(design.name));
        design.timer->setInterval(design.interval);
        design.timer->setTimerType(Qt::PreciseTimer);
        if (design.enabled)
            design.timer->start();
    }
}

// The constructor-time hooks of features (the calculator's red "c" key, the key-code display's "0") run in
// their controllers' constructors.
void Features::createControllers(TrayIcon& tray)
{
    Ui::RemindPage& remind = m_ui.PageRemind->form();
    m_reminders = std::make_unique<Reminders>(
        remind, m_window, TIMER, BUDIL, [&window = m_window] { return qobject_cast<TMessia*>(window.messiaWindow()); });
    m_tickers = std::make_unique<Tickers>(m_window,
                                          Tickers::Widgets{*m_ui.StatusBar1, *m_ui.Label33, *m_ui.Label34,
                                                           *m_ui.Label35, *m_ui.BitBtn3, *m_ui.Label6, *m_ui.Shape1},
                                          Tickers::Timers{Timer1, Timer2, Timer6});
    m_appearance = std::make_unique<Appearance>(
        m_window,
        Appearance::Widgets{*m_ui.BitBtn1, *m_ui.N8, *m_ui.N32, *m_ui.N40, *m_ui.StatusBar1, *m_ui.Label19,
                            *m_ui.centralwidget, *m_ui.console, *m_ui.Edit1, *m_ui.TabbedNotebook1},
        m_ui.PageMain->form());
    m_startWithSystem =
        std::make_unique<StartWithSystem>(m_platform, StartWithSystem::MenuItems{*m_ui.N10, *m_ui.N11}, mainPage());
    m_ledShow = std::make_unique<LedShow>(m_platform, Timer5);
    m_systemMenus = std::make_unique<SystemMenus>(m_window);
    m_statistics = std::make_unique<Statistics>(m_window, Timer8, *m_ui.PageInfo);
    m_notesGrid = std::make_unique<NotesGrid>(remind);
    m_console = std::make_unique<ConsoleController>(
        m_window, ConsoleController::Widgets{*m_ui.console, *m_ui.conbut, *m_ui.Button21, *m_ui.N41, *m_ui.Image3},
        Timer7);
    m_driveButtons = std::make_unique<DriveButtons>(
        m_platform, DriveButtons::Strip{*m_ui.Panel16, *m_ui.DriveC, *m_ui.DriveD, *m_ui.DriveE, *m_ui.DriveF});
    m_runBox = std::make_unique<RunBoxController>(mainPage().RunBoxPanel->form(), m_window);
    m_launcher = std::make_unique<LauncherController>(mainPage().LauncherPanel->form(), m_window);
    m_companions = std::make_unique<CompanionController>(mainPage().CompanionPanel->form(), m_window);
    m_systemTweaks = std::make_unique<SystemTweaks>(mainPage().TweakPanel->form(), m_window);
    m_clipboardViewer =
        std::make_unique<ClipboardViewer>(mainPage().ClipboardPanel->form(), m_platform.get<platform::PrintScreen>());
    m_player = std::make_unique<Player>(
        m_ui.PageMusic->form(), m_window, m_platform.get<MediaControl>(), Timer4,
        Player::TrayMenu{tray.playerMenu(), *m_ui.N35, *m_ui.N36, *m_ui.N37, *m_ui.N38, *m_ui.N39},
        [&window = m_window] { return window.form2Window(); });
    m_volumeControls = std::make_unique<VolumeControls>(m_ui.PageMusic->form(), m_platform.get<platform::Volume>());
    m_ui.PageInternet->whenBuilt([this] {
        m_webViewer = std::make_unique<WebViewer>(m_ui.PageInternet->form(), m_platform.get<WebBrowserFactory>());
    });
    m_ui.PageHelp->whenBuilt([this] { createHelpPageControllers(); });
    m_ui.PageInfo->whenBuilt([this] { createInfoPageControllers(); });
}

// The help page's controls are made after the window's first paint, or when the page is first needed; its
// controllers come with them, and then do what the lifecycle asked of them while they did not exist.
void Features::createHelpPageControllers()
{
    Ui::HelpPage& help = m_ui.PageHelp->form();
    m_calculator = std::make_unique<Calculator>(help);
    m_stopwatch = std::make_unique<Stopwatch>(help, Timer3);
    m_diskMeter = std::make_unique<DiskMeter>(help, m_platform.get<platform::DiskSpace>());
    m_helpDictionary = std::make_unique<HelpDictionary>(help, m_window);
    m_systemTweaks->attachKeyMousePanel(help.KeyMousePanel->form());
    // After Appearance: the key code field sees its keys before the window's key preview does.
    m_keyCodes = std::make_unique<KeyCodes>(help.KeyMousePanel->form());
    m_notepad = std::make_unique<Notepad>(help.NotepadPanel->form(), m_window);
    if (m_diskMeterFirstReadingDue)
        m_diskMeter->firstUpdate();
    if (m_diskMeterSelectorsResetDue)
        m_diskMeter->resetSelectors();
}

void Features::createInfoPageControllers()
{
    Ui::InfoPage& info = m_ui.PageInfo->form();
    m_informationPage = std::make_unique<InformationPage>(m_window, info, Tim, pp);
    m_soundCheck = std::make_unique<SoundCheck>(m_window, info, m_platform.get<platform::Sound>());
    connectGuarded(m_informationPage.get(), &InformationPage::cdDoorButtonClickRequested, m_systemTweaks.get(),
                   &SystemTweaks::CdDoorButtonClick);
}

WebViewer& Features::webViewer()
{
    m_ui.PageInternet->build();
    return *m_webViewer;
}

InformationPage& Features::informationPage()
{
    m_ui.PageInfo->build();
    return *m_informationPage;
}

SoundCheck& Features::soundCheck()
{
    m_ui.PageInfo->build();
    return *m_soundCheck;
}

Notepad& Features::notepad()
{
    m_ui.PageHelp->build();
    return *m_notepad;
}

// What one feature asks of another, connected once every controller exists: no controller holds another one.
void Features::connectFeatures()
{
    QObject::connect(m_appearance.get(), &Appearance::consoleKeyPressed, m_console.get(),
                     &ConsoleController::ToggleConsoleByKey);
    // The service panels belong to their features; the console only asks for them, in this order.
    // The sound check's panels are on the information page, which is made here if it is not made yet.
    QObject::connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_console.get(),
                     [this] { soundCheck().toggleServicePanels(); });
    QObject::connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_driveButtons.get(),
                     &DriveButtons::toggleServiceStrip);
    QObject::connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_appearance.get(),
                     &Appearance::setServiceMenuCaption);
    QObject::connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_statistics.get(),
                     &Statistics::toggleServicePanel);
    connectGuarded(m_tickers.get(), &Tickers::clockTicked, m_player.get(), &Player::PlayerTick);
    connectGuarded(m_tickers.get(), &Tickers::fadeInFinished, m_companions.get(), &CompanionController::RunCompanions);
}

void Features::buildLifecycle()
{
    m_lifecycle = std::make_unique<Lifecycle>();
    m_lifecycle->add(Phase::Creation,
                     {
                         {"alarm fields take the current time", [this] { m_reminders->alarm().initFields(); }},
                         {"caption, exit button and running line animators", [this] { m_tickers->setUpAnimators(); }},
                         {"companion start list read", [this] { m_companions->load(); }},
                         {"player's position strip laid out", [this] { m_player->layOutPositionStrip(); }},
                         {"disk meter's first reading",
                          [this] {
                              m_diskMeterFirstReadingDue = true;
                              if (m_diskMeter)
                                  m_diskMeter->firstUpdate();
                          }},
                         {"fade-in starts at 30 %", [this] { m_tickers->startFadeIn(); }},
                         {"playlist's hover entry reset", [this] { m_player->resetHoverIndex(); }},
                         {"\"About\" on the system menus", [this] { m_systemMenus->addItems(); }},
                         {"window centred on its monitor", [this] { m_window.centreOnMonitor(); }},
                         {"playlist coloured", [this] { m_player->colourPlaylist(); }},
                         {"run box's list from the run history", [this] { m_runBox->loadHistory(); }},
                     });
    m_lifecycle->add(Phase::Show, {{"clock starts", [this] { Timer1.start(); }}});
    m_lifecycle->add(Phase::Hide, {{"clock stops", [this] { Timer1.stop(); }}});
    m_lifecycle->add(
        Phase::Activation,
        {
            // First, so that a step stopped by a bad stored value cannot keep it from being asked. The read
            // itself starts once the window is drawn and its late pages are made: loading the sound server's
            // library on a core of its own still slowed the first paint on two.
            {"volume slider from the output volume, once",
             [this] { m_window.latePages().afterwards([this] { m_volumeControls->askDeviceOnce(); }); }},
            {"first run's defaults", [this] { runFirstRunDefaults(); }},
            {"launch counted", [this] { m_statistics->countLaunch(); }},
            {"start in the tray", [this] { m_window.startInTrayIfStored(); }},
            {"stored settings restored", [this] { restoreStoredState(); }},
            {"user and computer names", [this] { m_window.fillNamePanels(); }},
            {"player's \"след.\" disabled", [this] { m_player->disableNextButton(); }},
            {"disk meter's selectors reset",
             [this] {
                 m_diskMeterSelectorsResetDue = true;
                 if (m_diskMeter)
                     m_diskMeter->resetSelectors();
             }},
            {"status bar's date, screen and system folder", [this] { m_window.fillStatusBar(); }},
            {"launcher list reloaded, its settings panel closed", [this] { m_launcher->activate(); }},
            {"calendar shows today", [this] { m_appearance->setCalendarToPanelDate(); }},
            {"service command from the command line", [this] { m_window.performServiceCommandFromArgument(); }},
        });
    m_lifecycle->add(Phase::Close, {
                                       {"notes grid's cells into its rows", [this] { m_notesGrid->collectRows(); }},
                                       {"window settings and totals stored", [this] { storeCloseSet(); }},
                                   });

    // Each owner's stored values; the settings store walks them in the key's orders.
    m_storedValues = std::make_unique<StoredValues>();
    m_storedValues->add(SettingsStore::ownValues());
    m_storedValues->add(m_window.storedValues());
    m_storedValues->add(m_appearance->storedValues());
    m_storedValues->add(m_statistics->storedValues());
    m_storedValues->add(m_systemTweaks->storedValues());
    m_storedValues->add(m_launcher->storedValues());
}

// After the stored values: the save switch stays on, the notes come back, and the switch's box shows it.
void Features::finishRestore()
{
    SettingsStore::setSaveSwitch(m_platform, true);
    m_notesGrid->load(SettingsStore::readNotes(m_platform));
    m_notesGrid->showRows();
    m_systemTweaks->reapplyKeyboardLayout();
    mainPage().CheckBox8->setChecked(true);
    m_window.CheckBox8Click();
}

void Features::runFirstRunDefaults()
{
    if (SettingsStore::firstRunDone(m_platform))
        return;
    m_window.setWindowColor(0x408000);
    SettingsStore::writeFirstRunDefaults(m_platform, *m_storedValues);
}

void Features::restoreStoredState()
{
    if (!SettingsStore::saveSwitchOn(m_platform))
        return;
    SettingsStore::restore(m_platform, *m_storedValues);
    finishRestore();
}

void Features::storeCloseSet()
{
    // Totals and notes that were never loaded in this run would overwrite the stored ones with zeros and
    // empty rows; only what this run loaded or the user typed is written.
    SettingsStore::writeCloseSet(m_platform, *m_storedValues);
    SettingsStore::writeNotes(m_platform, m_notesGrid->rows, m_notesGrid->rowsToStore);
}
