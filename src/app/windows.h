#pragma once

#include <QStringList>
#include <memory>

namespace platform {
class Platform;
}
class TForm1;
class TAbout;
class TForm2;
class TMessia;

// The program's windows in their creation order: the main window (its creation handler runs inside),
// then About, Form2 and Messia, hidden. They live until the set is destroyed.
struct ProgramWindows
{
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TAbout> About;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TMessia> Messia;

    ProgramWindows(platform::Platform& platform, const QStringList& arguments);
    ~ProgramWindows();
};
