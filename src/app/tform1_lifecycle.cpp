// Where the main window meets its features: every controller is made here, what one feature tells another
// is wired here, and each feature adds its rows to the lifecycle's tables here. A new feature costs its
// controller's line, its wiring and its rows; nothing else in the window changes.
#include "app/appearance.h"
#include "app/ledshow.h"
#include "app/lifecycle.h"
#include "app/notesgrid.h"
#include "app/startwithsystem.h"
#include "app/statistics.h"
#include "app/systemmenus.h"
#include "app/tform1.h"
#include "app/tickers.h"
#include "app/trayicon.h"
#include "app/windowplacement.h"
#include "common/guardedconnect.h"
#include "common/strtoint.h"
#include "common/tregistry.h"
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

// The constructor-time hooks of features (the calculator's red "c" key, the key-code display's "0") run in
// their controllers' constructors. What one feature asks of another is connected here too, at the end, once
// every controller exists: no controller holds another one.
void TForm1::createControllers()
{
    Ui::HelpPage& help = ui->PageHelp->form();
    Ui::RemindPage& remind = ui->PageRemind->form();
    m_calculator = std::make_unique<Calculator>(help);
    m_stopwatch = std::make_unique<Stopwatch>(help, Timer3);
    m_diskMeter = std::make_unique<DiskMeter>(help, m_platform.get<platform::DiskSpace>());
    m_helpDictionary = std::make_unique<HelpDictionary>(help, *this);
    m_reminders = std::make_unique<Reminders>(remind, *this, TIMER, BUDIL,
                                              [this] { return qobject_cast<TMessia*>(messiaWindow()); });
    m_tickers = std::make_unique<Tickers>(*this,
                                          Tickers::Widgets{*ui->StatusBar1, *ui->Label33, *ui->Label34, *ui->Label35,
                                                           *ui->BitBtn3, *ui->Label6, *ui->Shape1},
                                          Tickers::Timers{Timer1, Timer2, Timer6});
    m_appearance =
        std::make_unique<Appearance>(*this,
                                     Appearance::Widgets{*ui->BitBtn1, *ui->N8, *ui->N32, *ui->N40, *ui->StatusBar1,
                                                         *ui->Label19, *ui->centralwidget, *ui->console, *ui->Edit1},
                                     ui->PageMain->form(), ui->PageInfo->form());
    m_startWithSystem =
        std::make_unique<StartWithSystem>(m_platform, StartWithSystem::MenuItems{*ui->N10, *ui->N11}, mainPage());
    m_ledShow = std::make_unique<LedShow>(m_platform, Timer5);
    m_systemMenus = std::make_unique<SystemMenus>(*this);
    m_statistics = std::make_unique<Statistics>(*this, Timer8, ui->PageInfo->form());
    m_notesGrid = std::make_unique<NotesGrid>(remind);
    m_console = std::make_unique<ConsoleController>(
        *this, ConsoleController::Widgets{*ui->console, *ui->conbut, *ui->Button21, *ui->N41, *ui->Image3}, Timer7);
    m_driveButtons = std::make_unique<DriveButtons>(
        m_platform, DriveButtons::Strip{*ui->Panel16, *ui->DriveC, *ui->DriveD, *ui->DriveE, *ui->DriveF});
    m_runBox = std::make_unique<RunBoxController>(mainPage().RunBoxPanel->form(), *this);
    m_launcher = std::make_unique<LauncherController>(mainPage().LauncherPanel->form(), *this);
    m_companions = std::make_unique<CompanionController>(mainPage().CompanionPanel->form(), *this);
    m_systemTweaks = std::make_unique<SystemTweaks>(mainPage().TweakPanel->form(), help.KeyMousePanel->form(), *this);
    // After Appearance: the key code field sees its keys before the window's key preview does.
    m_keyCodes = std::make_unique<KeyCodes>(help.KeyMousePanel->form());
    m_notepad = std::make_unique<Notepad>(help.NotepadPanel->form(), *this);
    m_clipboardViewer =
        std::make_unique<ClipboardViewer>(mainPage().ClipboardPanel->form(), m_platform.get<platform::PrintScreen>());
    m_informationPage = std::make_unique<InformationPage>(*this, ui->PageInfo->form(), Tim, pp);
    m_soundCheck = std::make_unique<SoundCheck>(*this, ui->PageInfo->form(), m_platform.get<platform::Sound>());
    m_player = std::make_unique<Player>(
        ui->PageMusic->form(), *this, m_platform.get<MediaControl>(), Timer4,
        Player::TrayMenu{m_tray->playerMenu(), *ui->N35, *ui->N36, *ui->N37, *ui->N38, *ui->N39},
        [this] { return form2Window(); });
    m_volumeControls = std::make_unique<VolumeControls>(ui->PageMusic->form(), m_platform.get<platform::Volume>());
    m_webViewer = std::make_unique<WebViewer>(ui->PageInternet->form(), m_platform.get<WebBrowserFactory>());

    connect(m_appearance.get(), &Appearance::consoleKeyPressed, m_console.get(),
            &ConsoleController::ToggleConsoleByKey);
    // The service panels belong to their features; the console only asks for them, in this order.
    connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_soundCheck.get(),
            &SoundCheck::toggleServicePanels);
    connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_driveButtons.get(),
            &DriveButtons::toggleServiceStrip);
    connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_appearance.get(),
            &Appearance::setServiceMenuCaption);
    connect(m_console.get(), &ConsoleController::servicePanelsToggleRequested, m_statistics.get(),
            &Statistics::toggleServicePanel);
    connectGuarded(m_tickers.get(), &Tickers::clockTicked, m_player.get(), &Player::PlayerTick);
    connectGuarded(m_tickers.get(), &Tickers::fadeInFinished, m_companions.get(), &CompanionController::RunCompanions);
    connectGuarded(m_informationPage.get(), &InformationPage::cdDoorButtonClickRequested, m_systemTweaks.get(),
                   &SystemTweaks::CdDoorButtonClick);
}

void TForm1::buildLifecycle()
{
    m_lifecycle = std::make_unique<Lifecycle>();
    m_lifecycle->add(Phase::Creation,
                     {
                         {"alarm fields take the current time", [this] { m_reminders->alarm().initFields(); }},
                         {"caption, exit button and running line animators", [this] { m_tickers->setUpAnimators(); }},
                         {"companion start list read", [this] { m_companions->load(); }},
                         {"player's position strip laid out", [this] { m_player->layOutPositionStrip(); }},
                         {"disk meter's first reading", [this] { m_diskMeter->firstUpdate(); }},
                         {"fade-in starts at 30 %", [this] { m_tickers->startFadeIn(); }},
                         {"playlist's hover entry reset", [this] { m_player->resetHoverIndex(); }},
                         {"\"About\" on the system menus", [this] { m_systemMenus->addItems(); }},
                         {"window centred on its monitor", [this] { centreOnMonitor(); }},
                         {"volume slider from the output volume", [this] { m_volumeControls->setSliderFromDevice(); }},
                         {"playlist coloured", [this] { m_player->colourPlaylist(); }},
                         {"run box's list from the run history", [this] { m_runBox->loadHistory(); }},
                     });
    m_lifecycle->add(Phase::Show, {{"clock starts", [this] { Timer1.start(); }}});
    m_lifecycle->add(Phase::Hide, {{"clock stops", [this] { Timer1.stop(); }}});
    m_lifecycle->add(Phase::Activation,
                     {
                         {"first run's defaults", [this] { runFirstRunDefaults(); }},
                         {"launch counted", [this] { SettingsStore::countLaunch(m_platform); }},
                         {"start in the tray", [this] { startInTrayIfStored(); }},
                         {"stored settings restored", [this] { restoreStoredState(); }},
                         {"user and computer names", [this] { fillNamePanels(); }},
                         {"player's \"след.\" disabled", [this] { m_player->disableNextButton(); }},
                         {"disk meter's selectors reset", [this] { m_diskMeter->resetSelectors(); }},
                         {"status bar's date, screen and system folder", [this] { fillStatusBar(); }},
                         {"launcher list reloaded, its settings panel closed", [this] { m_launcher->activate(); }},
                         {"calendar shows today", [this] { m_appearance->setCalendarToPanelDate(); }},
                         {"service command from the command line", [this] { performServiceCommandFromArgument(); }},
                     });
    m_lifecycle->add(Phase::Close, {
                                       {"notes grid's cells into its rows", [this] { m_notesGrid->collectRows(); }},
                                       {"window settings and totals stored", [this] { storeCloseSet(); }},
                                   });

    // One value at a time, so that a value that is not a number leaves the ones before it applied.
    m_lifecycle->addStoredValues(m_statistics->storedValues());
    m_lifecycle->addStoredValues({
        {"maschtab",
         [this](const QString& value) {
             const int storedScale = StrToInt(value);
             // A scale of zero or below would shrink every control to nothing and later divide by zero: refused.
             // So is one whose window no widget could be.
             if (storedScale > 0 && scaleBy(storedScale, 100))
                 m_scalePercent = storedScale;
         }},
        {"str",
         [this](const QString& value) {
             ui->TabbedNotebook1->setCurrentIndex(StrToInt(value));
             ui->Edit1->setText(QString::number(m_scalePercent));
         }},
        {"MyPrWL", [this](const QString& value) { m_launcher->setFirstColumnWidth(StrToInt(value)); }},
        {"color", [this](const QString& value) { setWindowColor(StrToInt(value)); }},
        {"left",
         [this](const QString& value) {
             placeFrameReachable(QPoint(StrToInt(value), m_placement->framePosition().y()));
         }},
        {"top",
         [this](const QString& value) {
             placeFrameReachable(QPoint(m_placement->framePosition().x(), StrToInt(value)));
         }},
        {"height", [this](const QString& value) { resizeWithinScreen(width(), StrToInt(value)); }},
        {"width", [this](const QString& value) { resizeWithinScreen(StrToInt(value), height()); }},
        {"izik", [this](const QString& value) { m_systemTweaks->setKeyboardLayoutId(value); }},
        {"MyPrColor", [this](const QString& value) { m_launcher->setColor(StrToInt(value)); }},
        {"MyPrFontColor", [this](const QString& value) { m_launcher->setFontColor(StrToInt(value)); }},
        {"MyPrFontSize", [this](const QString& value) { m_launcher->setFontSize(StrToInt(value)); }},
        {"MyPrViewStyle", [this](const QString& value) { m_launcher->setViewStyle(StrToInt(value)); }},
        {"MyPrFontName", [this](const QString& value) { m_launcher->setFontName(value); }},
    });
}

// After the stored values: the save switch stays on, the notes come back, and the switch's box shows it.
void TForm1::finishRestore()
{
    SettingsStore::write(m_platform, QStringLiteral("savesetting"), QStringLiteral("1"));
    m_notesGrid->load(SettingsStore::readNotes(m_platform));
    m_notesGrid->showRows();
    m_systemTweaks->reapplyKeyboardLayout();
    mainPage().CheckBox8->setChecked(true);
    CheckBox8Click();
}
