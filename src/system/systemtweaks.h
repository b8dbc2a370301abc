#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "common/storedvalue.h"

namespace Ui {
class TweakGroup;
class KeyMouseGroup;
} // namespace Ui
class Shell;

// The switches that act on the system at once: the tweak panel under the run box (task manager, recycle bin,
// CD autorun, CD door, source editor, keyboard layout, a file type's icon) and the mouse speed and button swap of
// the help page's "Клава и Мышь". None reads the system's state at start; each shows its design state until
// the user acts.
class SystemTweaks final : public QObject
{
    Q_OBJECT
public:
    SystemTweaks(Ui::TweakGroup& tweaks, Shell& shell, QObject* parent = nullptr);
    /// The help page's mouse controls, made after the tweak panel's.
    void attachKeyMousePanel(Ui::KeyMouseGroup& keyMouse);

    void TaskManagerBoxClick();
    void RecycleBinBoxClick();
    void CdAutorunBoxClick();
    /// Opens the CD door, or closes it when this button opened it last.
    void CdDoorButtonClick();
    void SourceEditorButtonClick();
    void izikClick();
    /// "ЧО", or Enter in Edit5: shows the icon of the typed file type.
    void IconButtonClick();
    void MouseSpeedBarChange(int position);
    void LeftHandButtonClick();

    /// The layout last chosen with the layout button, as stored.
    QString keyboardLayoutId() const { return m_keyboardLayoutId; }
    void setKeyboardLayoutId(const QString& layoutId) { m_keyboardLayoutId = layoutId; }
    /// At every activation: a stored choice of US English sets that layout and the button's caption, however often
    /// the window is activated; any other stored choice leaves both as they are.
    void reapplyKeyboardLayout();
    /// KeyboardLayoutId, stored as it is.
    std::vector<StoredValue> storedValues();

    bool cdDoorOpen() const { return m_cdDoorOpen; }
    bool leftHanded() const { return m_leftHanded; }

private:
    void writeSwitch(bool localMachine, const QString& key, const QString& name, const QString& value);

    Ui::TweakGroup& m_tweaks;
    Ui::KeyMouseGroup* m_keyMouse = nullptr;
    Shell& m_shell;
    QString m_keyboardLayoutId;
    bool m_cdDoorOpen = false;
    bool m_leftHanded = false;
};
