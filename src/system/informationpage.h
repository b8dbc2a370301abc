#pragma once

#include <QObject>

#include "system/overclockrules.h"
#include "system/scangag.h"

namespace Ui {
class InfoPage;
}
class Shell;
class QTimer;

// The page "Информация": the host name and processor with the mock scan that follows them, and the mock
// overclocking panel with its animation, warnings, brain multiplier and decorative tree.
class InformationPage final : public QObject
{
    Q_OBJECT
public:
    /// `tim` counts the scan down, `pp` runs the overclocking animation; both are the main window's.
    InformationPage(Shell& shell, Ui::InfoPage& ui, QTimer& tim, QTimer& pp, QObject* parent = nullptr);

    void InfoButtonClick();
    void TimTimer();
    void OverclockButtonClick();
    void ppTimer();
    void TrackBarMultiplierChange();
    void TrackBarCdChange();
    void BrainButtonClick();
    void TreeView1Click();
    void TreeView1MouseMove();

    /// The sound the scan starts with.
    static const char* scanSoundFile();

    ScanGag scan;
    int EquationStep = 0;
    bool GogglesWarned = false;

signals:
    /// The CD-drive slider pops the tray through the CD door button of the tweaks.
    void cdDoorButtonClickRequested();

private:
    void showCdSliderBoxes(const overclock::CdSliderReaction& reaction);

    Shell& m_shell;
    Ui::InfoPage& m_ui;
    QTimer& m_tim;
    QTimer& m_pp;
};
