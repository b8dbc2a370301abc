#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "common/colors.h"
#include "common/storedvalue.h"
#include "console/launcherlist.h"
#include "console/launcherlook.h"

namespace Ui {
class LauncherGroup;
}
class Shell;
class QMenu;
class QPoint;

// The group "Мои ПРОГИ": the user's own programs, each a label and a path kept in the registry, started as
// one name through the shell's "open" verb. The list shows the registry after every change; its settings
// panel sets how the list looks, which is stored with the window's other settings.
class LauncherController final : public QObject
{
    Q_OBJECT
public:
    LauncherController(Ui::LauncherGroup& form, Shell& shell, QObject* parent = nullptr);

    /// How the list looks, as it is stored.
    using Look = LauncherAppearance;
    /// The list's look as it is now.
    Look look() const;
    // A stored look, one value at a time. Numbers that name nothing (a style other than 0 to 3, a size of
    // zero or less, a negative width) leave the list as it is.
    void setFirstColumnWidth(int width);
    void setColor(qint32 color);
    void setFontColor(qint32 color);
    void setFontSize(int points);
    void setViewStyle(int style);
    void setFontName(const QString& name);
    /// The look's values: each applies one setter above and stores the list's look as it is now.
    std::vector<StoredValue> storedValues();

    /// At every activation of the window: the list is read again, and the settings panel closes.
    void activate();

    /// The hidden "B1": ReloadLauncherList.
    void B1Click();
    void launch();
    /// Chooses a file and opens the label panel for it.
    void add();
    /// "Выбрать автоматически".
    void automaticLabel();
    /// "ПРИНЯТЬ МЕТКУ ПРОГРАММЫ".
    void acceptLabel();
    /// Deletes the selected entry at once; with nothing selected since the start, the error indicator.
    void deleteSelected();
    /// The settings button, "Настройки" and ">>": shows or hides the settings panel.
    void toggleSettings();
    /// "вид_1" to "вид_4" (1 to 4) became selected.
    void viewStyleChosen(int radio);
    /// "Фон".
    void chooseBackground();
    /// "Шрифт": everything of the chosen font but its typeface, and its colour.
    void chooseFont();

    LauncherList& list() { return m_list; }
    /// The list's context menu: "Запустить", "Добавить", "Удалить", "Настройки".
    QMenu* contextMenu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showEntries();
    void LV1Selected(int row);
    void LV1KeyDown(int key);
    void applyColors();

    Ui::LauncherGroup& m_form;
    Shell& m_shell;
    LauncherList m_list;
    QMenu* m_menu;
    // Kept as stored: a system colour stays one until the user picks another.
    qint32 m_color = clWindow;
    qint32 m_fontColor = clWindowText;
};
