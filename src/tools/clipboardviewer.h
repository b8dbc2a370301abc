#pragma once

#include <QObject>

namespace Ui {
class ClipboardGroup;
}
namespace platform {
class PrintScreen;
}

// The group "Буфер": on request names the kind of data on the system clipboard and shows its text or its
// picture; empties the clipboard; takes a picture of the screen onto it and shows that. The view changes only
// on these requests, not when the clipboard does.
class ClipboardViewer final : public QObject
{
    Q_OBJECT
public:
    ClipboardViewer(Ui::ClipboardGroup& form, platform::PrintScreen& printScreen, QObject* parent = nullptr);

    void Button8Click(); // refresh
    void Button9Click(); // empty the clipboard
    void Button1Click(); // screenshot, then refresh

private:
    void showPicture();

    Ui::ClipboardGroup& m_form;
    platform::PrintScreen& m_printScreen;
};
