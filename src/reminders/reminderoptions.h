#pragma once

#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class TMessia;
namespace platform {
class Platform;
}

// The options area a reminder group shares with the other: the covering panel, the message and file check
// boxes, the file label with its open dialog, the system action list, and what happens when the group goes off.
class ReminderOptions final
{
public:
    struct Widgets
    {
        QLabel* panel;
        QCheckBox* message;
        QCheckBox* file;
        QLabel* fileLabel;
        QComboBox* action;
    };
    enum class Prompt
    {
        Timer,
        Alarm
    };

    ReminderOptions(const Widgets& widgets, Prompt prompt, std::function<TMessia*()> messia,
                    platform::Platform& platform);

    /// The covering panel hides for the rest of the run.
    void panelClick();
    /// The open dialog; the label shows the dialog's file name afterwards, whatever the user did.
    void fileLabelClick();
    /// Checking the message box opens the prompt with this group's edit.
    void messageCheckClick();
    /// After the group went idle: beep or the message (waiting for it), the file, then the system action.
    void fire();

    QString fileName() const { return m_fileName; }

private:
    QString messageText() const;

    Widgets m_widgets;
    Prompt m_prompt;
    std::function<TMessia*()> m_messia;
    platform::Platform& m_platform;
    QString m_fileName;
};

/// The system action a box asks for: 1 to 3 when it shows one of those items as picked, else 0. Qt keeps
/// the picked item while the user types over it, so the shown text must still be that item's.
int selectedAction(const QComboBox& box);
