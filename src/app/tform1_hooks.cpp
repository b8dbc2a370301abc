// The steps of creation and activation that hand over to other features. Each one is a named call so the
// lifecycle keeps its fixed order while the features live in their own controllers.
#include "app/tform1.h"

#include "app/appearance.h"
#include "app/ledshow.h"
#include "app/notesgrid.h"
#include "app/startwithsystem.h"
#include "app/statistics.h"
#include "app/systemmenus.h"
#include "app/tickers.h"
#include "common/tregistry.h"
#include "platform/diskspace.h"
#include "reminders/alarmclock.h"
#include "reminders/reminders.h"
#include "reminders/tmessia.h"
#include "tools/calculator.h"
#include "tools/diskmeter.h"
#include "tools/helpdictionary.h"
#include "tools/stopwatch.h"
#include "ui_Form1.h"

// Every feature controller is made here, once, before FormCreate; the constructor-time hooks of features
// (the calculator's red "c" key, the key-code display's "0") run in their controllers' constructors.
void TForm1::createControllers()
{
    m_calculator = std::make_unique<Calculator>(*ui);
    m_stopwatch = std::make_unique<Stopwatch>(*ui, Timer3);
    m_diskMeter = std::make_unique<DiskMeter>(*ui, m_platform.get<platform::DiskSpace>());
    m_helpDictionary = std::make_unique<HelpDictionary>(*ui, *this);
    m_reminders = std::make_unique<Reminders>(*ui, *this, TIMER, BUDIL,
                                              [this] { return qobject_cast<TMessia*>(messiaWindow()); });
    m_tickers = std::make_unique<Tickers>(*this, *ui);
    m_appearance = std::make_unique<Appearance>(*this, *ui);
    m_startWithSystem = std::make_unique<StartWithSystem>(m_platform, *ui);
    m_ledShow = std::make_unique<LedShow>(m_platform, Timer5);
    m_systemMenus = std::make_unique<SystemMenus>(*this);
    m_statistics = std::make_unique<Statistics>(*this, Timer8, *ui);
    m_notesGrid = std::make_unique<NotesGrid>(*ui);
}

// Alarm clock fields take the current hour and minute.
void TForm1::initAlarmFields()
{
    m_reminders->alarm().initFields();
}

// Caption and exit-button animators, and the running line.
void TForm1::setUpAnimators()
{
    m_tickers->setUpAnimators();
}

// The companion start list from "start.ini".
void TForm1::loadCompanionList() {}

// The player's position strip.
void TForm1::layOutPlayerStrip() {}

// The disk space meter's first update, for the drive of the current directory.
void TForm1::updateDiskMeter()
{
    m_diskMeter->firstUpdate();
}

// The start-up fade-in begins at 30 % opacity; Timer2 raises it.
void TForm1::startFadeIn()
{
    m_tickers->startFadeIn();
}

// The playlist's hovered entry.
void TForm1::resetPlaylistHover() {}

// "About" items on the system menus.
void TForm1::addSystemMenuItems()
{
    m_systemMenus->addItems();
}

// The volume slider from the current output volume.
void TForm1::readVolumeIntoSlider() {}

// The playlist's colour.
void TForm1::colourPlaylist() {}

// The run box's list from the recent-run history.
void TForm1::fillRunHistory() {}

// The keyboard layout button, performed when the stored layout is "00000409".
void TForm1::clickKeyboardLayoutButton() {}

// The player's "next" button starts disabled at every activation.
void TForm1::disablePlayerNext() {}

// The disk meter's unit and quantity selectors go back to their first items.
void TForm1::resetDiskMeterSelectors()
{
    m_diskMeter->resetSelectors();
}

// The launcher list's reload; opening its key creates it on the first run.
void TForm1::reloadLauncherList()
{
    TRegistry registry(m_platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    registry.OpenKey(MyProgiKey, true);
    registry.CloseKey();
}

// The console's run button: performs the command line in the console edit.
void TForm1::runConsoleLine() {}

// The main page's calendar shows today.
void TForm1::setCalendarToToday()
{
    m_appearance->setCalendarToPanelDate();
}

// The launcher list takes its stored colour, font and view style.
void TForm1::applyLauncherAppearance() {}

// The notes grid shows its rows.
void TForm1::showNotes()
{
    m_notesGrid->showRows();
}

// The notes grid's cells go back into its rows before they are stored.
void TForm1::collectNotes()
{
    m_notesGrid->collectRows();
}

// The player's share of the clock tick.
void TForm1::PlayerTick() {}

// The companion start list's entries are opened when the fade-in ends.
void TForm1::RunCompanions() {}

// The console's controls appear or disappear together.
void TForm1::ToggleConsole() {}

void TForm1::refreshStatistics()
{
    m_statistics->refresh();
}
