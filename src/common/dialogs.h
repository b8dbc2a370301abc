#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Every box and common dialog of the program goes through here, so tests can answer them without a
// modal loop. Boxes use the current application title as caption.
namespace Dialogs {

enum class Kind
{
    Message,  // plain notice: no icon, OK
    Question, // Yes / No
    Error,    // the default error report: error icon, OK
    Color,
    OpenFile,
    SaveFile,
    Font,
    Folder
};

struct Request
{
    Kind kind = Kind::Message;
    QString title;
    QString text; // box text, or the dialog's caption for file and folder dialogs
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString filter;               // file dialogs
    QString directory;            // file and folder dialogs
    QColor color;                 // the colour dialog's starting colour
    QFont font;                   // the font dialog's starting font
    int filterIndex = 0;          // file dialogs: the filter entry chosen at the start
    bool confirmOverwrite = true; // save dialog: asks before an existing file is chosen
};

struct Reply
{
    bool accepted = true; // OK / Yes
    QColor color;
    QString path;
    QFont font;
};

using Hook = std::function<Reply(const Request&)>;

/// Installs a hook that answers every box and dialog instead of showing it; an empty hook restores the real ones.
void setHook(Hook hook);
bool hooked();

/// A plain notice: application title, the text, OK, no icon.
void message(const QString& text);
/// A question with Yes and No; true for Yes. The icon is Warning or Question as the caller says.
bool question(const QString& text, QMessageBox::Icon icon = QMessageBox::Question);
/// The default error report's box: error icon, OK.
void error(const QString& text);
/// A notice with the information icon and OK (the typed message dialog's information kind).
void information(const QString& text);

std::optional<QColor> chooseColor(const QColor& initial);
/// The colour the colour dialog gave last, which the program's one shared colour dialog keeps; black before
/// the first choice.
QColor lastChosenColor();
std::optional<QString> openFile(const QString& caption, const QString& filter, const QString& directory = {});
std::optional<QString> saveFile(const QString& caption, const QString& filter, const QString& directory = {});
/// File dialog settings beyond the caption and the filter.
struct FileOptions
{
    QString directory;
    int filterIndex = 0; // the filter entry chosen at the start, counting from 0
    bool confirmOverwrite = true;
};
std::optional<QString> openFile(const QString& caption, const QString& filter, const FileOptions& options);
std::optional<QString> saveFile(const QString& caption, const QString& filter, const FileOptions& options);
std::optional<QFont> chooseFont(const QFont& initial);
/// A font and the colour of its text, chosen together as in the classic desktop's font dialog.
struct FontChoice
{
    QFont font;
    QColor color;
};
/// The font dialog with a colour for the text among its effects; a test's answer without a colour keeps `color`.
std::optional<FontChoice> chooseFontAndColor(const QFont& initial, const QColor& color);
std::optional<QString> chooseFolder(const QString& caption, const QString& directory = {});

/// The parent for boxes: the active window of the program, if any.
QWidget* boxParent();

} // namespace Dialogs
