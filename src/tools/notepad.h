#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QStringList>
#include <memory>

namespace Ui {
class NotepadGroup;
}
class QAction;
class QMenu;
class QPrinter;
class Shell;

// The group "Мини блокнот": a rich text that opens from rich or plain text files, saves as rich text, clears,
// takes a font and a background colour, and prints its lines in one font onto one page.
class Notepad final : public QObject
{
    Q_OBJECT
public:
    Notepad(Ui::NotepadGroup& form, Shell& shell, QObject* parent = nullptr);
    ~Notepad() override;

    /// The filter of the open and save dialogs, entries in their order.
    static const QString FileFilter;
    /// Files above this size are not read: the load fails instead of filling the memory.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    void SpeedButton10Click(); // open
    void SpeedButton11Click(); // save
    void SpeedButton12Click(); // clear
    void SpeedButton13Click(); // background colour
    void SpeedButton14Click(); // font
    void SpeedButton15Click(); // print
    void SpeedButton18Click(); // choose the printer
    void N18Click();
    void N19Click();
    void N20Click();
    void N21Click();
    void N22Click();
    void GroupBox4MouseMove();

    QMenu& PopupMenu3() { return *m_popupMenu; }
    /// The current printer: the platform's default until one is chosen. It is made at its first use, since
    /// asking the print system for its default printer costs the start-up dearly.
    QPrinter& printer();
    /// The lines as the text shows them (a wrapped line counts as lines of its own): what printing draws.
    QStringList shownLines() const;

private:
    void setPictures();
    void buildPopupMenu();
    void loadFile(const QString& path);
    void saveFile(const QString& path);

    Ui::NotepadGroup& m_form;
    Shell& m_shell;
    QMenu* m_popupMenu = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    // The font dialog starts from its own last choice, not from the text's font.
    QFont m_dialogFont;
    QColor m_dialogColor;
    // The text colour chosen in the font dialog, which a save writes for text without a colour of its own.
    QColor m_chosenTextColor;
};
