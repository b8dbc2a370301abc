#include "app/windows.h"

#include "app/tapplication.h"
#include "app/tform1.h"
#include "dialogs/tabout.h"
#include "media/tform2.h"
#include "reminders/tmessia.h"

ProgramWindows::ProgramWindows(platform::Platform& platform, const QStringList& arguments)
{
    Form1 = std::make_unique<TForm1>(platform, arguments);
    About = std::make_unique<TAbout>();
    Form2 = std::make_unique<TForm2>(platform);
    Messia = std::make_unique<TMessia>();
    Form1->setSecondaryWindows(About.get(), Form2.get(), Messia.get());
    TApplication::applyHintSettings();
}

ProgramWindows::~ProgramWindows()
{
    // The main window refers to the others; it goes first.
    Form1.reset();
}
