#include "system/informationpage.h"

#include <QApplication>
#include <QTimer>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "common/tregistry.h"
#include "platform/platform.h"
#include "platform/sound.h"
#include "system/overclockrules.h"
#include "ui_InfoPage.h"

InformationPage::InformationPage(Shell& shell, Ui::InfoPage& ui, QTimer& tim, QTimer& pp, QObject* parent)
    : QObject(parent), m_shell(shell), m_ui(ui), m_tim(tim), m_pp(pp)
{
    connectGuarded(ui.InfoButton, &QPushButton::clicked, this, &InformationPage::InfoButtonClick);
    connectGuarded(&tim, &QTimer::timeout, this, &InformationPage::TimTimer);
    connectGuarded(ui.OverclockButton, &QPushButton::clicked, this, &InformationPage::OverclockButtonClick);
    connectGuarded(&pp, &QTimer::timeout, this, &InformationPage::ppTimer);
    connectGuarded(ui.TrackBarMultiplier, &QSlider::valueChanged, this, &InformationPage::TrackBarMultiplierChange);
    connectGuarded(ui.TrackBarCd, &QSlider::valueChanged, this, &InformationPage::TrackBarCdChange);
    connectGuarded(ui.BrainButton, &QToolButton::clicked, this, &InformationPage::BrainButtonClick);
    // The tree's items take its clicks and movements in its viewport.
    MouseHandlers::onClick(ui.TreeView1->viewport(), [this] { TreeView1Click(); });
    MouseHandlers::onMouseMove(ui.TreeView1->viewport(), [this](QMouseEvent*) { TreeView1MouseMove(); });
    ui.TreeView1->expandAll();
    MouseHandlers::onMouseMove(ui.GroupBoxOverclock, [this](QMouseEvent*) { m_shell.hideErrorIndicator(); });
}

const char* InformationPage::scanSoundFile()
{
    return "C:\\Windows\\Media\\Windows XP - завершение.wav";
}

void InformationPage::InfoButtonClick()
{
    TRegistry registry(m_shell.platform());
    registry.setRootKey(platform::Hive::LocalMachine);
    registry.OpenKey(QStringLiteral("SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters"), true);
    m_ui.LabelComputerValue->setText(registry.ReadString(QStringLiteral("Hostname")));
    registry.CloseKey();
    registry.OpenKey(QStringLiteral("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"), true);
    const QString identifier = registry.ReadString(QStringLiteral("Identifier"));
    const QString name = registry.ReadString(QStringLiteral("ProcessorNameString"));
    m_ui.LabelProcessorValue->setText(name + QStringLiteral("   ") + identifier);
    registry.CloseKey();
    m_ui.Animate8->show();
    if (m_shell.serviceMode()) {
        m_ui.Label41->setText(QStringLiteral("Вечно мой господин!"));
        return;
    }
    // The countdown is already running behind the message, as the scan's timer ticks through modal boxes.
    if (!m_tim.isActive())
        m_tim.start();
    Dialogs::message(QStringLiteral("Просканировать Винду если да -=OK=- если нет -=Cancel=-"));
    m_shell.platform().get<platform::Sound>().playFile(scanSoundFile());
}

void InformationPage::TimTimer()
{
    const ScanGag::Tick tick = scan.tick();
    m_ui.Label41->setText(tick.text);
    if (!tick.finished)
        return;
    m_tim.stop();
    m_ui.Animate8->hide();
}

void InformationPage::OverclockButtonClick()
{
    if (!m_pp.isActive())
        m_pp.start();
    m_ui.OverclockHeading->setText(QStringLiteral("MOHA TOKA OCTAPO >|< HA"));
    // In this order: the two sliders, their captions, the check's caption, the warning, the brain multiplier.
    QWidget* const revealed[] = {m_ui.TrackBarMultiplier, m_ui.TrackBarCd,    m_ui.LabelMultiplier, m_ui.LabelCdDrive,
                                 m_ui.LabelCheck,         m_ui.LabelWarning1, m_ui.LabelWarning2,   m_ui.LabelWarning3,
                                 m_ui.LabelWarning4,      m_ui.LabelX,        m_ui.MaskEditBrain,   m_ui.BrainButton};
    for (QWidget* control : revealed)
        control->show();
}

void InformationPage::ppTimer()
{
    QLabel* const labels[] = {m_ui.LabelEquation1, m_ui.LabelEquation2, m_ui.LabelEquation3, m_ui.LabelEquation4,
                              m_ui.LabelEquation5};
    const overclock::EquationFrame frame = overclock::advanceEquation(EquationStep);
    EquationStep = frame.step;
    if (frame.reveal >= 0)
        labels[frame.reveal]->show();
    if (frame.hideAll) {
        for (QLabel* label : labels)
            label->hide();
    }
}

void InformationPage::TrackBarMultiplierChange()
{
    m_pp.setInterval(overclock::multiplierInterval(m_ui.TrackBarMultiplier->value()));
}

void InformationPage::TrackBarCdChange()
{
    const overclock::CdSliderReaction reaction = overclock::cdSliderReaction(m_ui.TrackBarCd->value(), GogglesWarned);
    if (!reaction.gogglesWarning && !reaction.trayWarning && !reaction.dunceMessage)
        return;
    // A box that opened while the mouse holds the slider would take the button's release with it, and the slider
    // would go on stepping toward the pointer and warning again at every step. With the mouse down, the boxes
    // wait until the slider has taken its press, and the press ends before they open.
    if (QApplication::mouseButtons() == Qt::NoButton) {
        showCdSliderBoxes(reaction);
        return;
    }
    QTimer::singleShot(0, this, guarded([this, reaction] {
                           m_ui.TrackBarCd->setEnabled(false);
                           m_ui.TrackBarCd->setEnabled(true);
                           showCdSliderBoxes(reaction);
                       }));
}

void InformationPage::showCdSliderBoxes(const overclock::CdSliderReaction& reaction)
{
    if (reaction.gogglesWarning)
        Dialogs::error(QStringLiteral(
            "Это очень ОПАСНО диск может попасть в глаз\nпо этому в ваших же интересах оденьте защитные очки!"));
    if (reaction.trayWarning) {
        Dialogs::information(QStringLiteral("НЕЕТ без очко не+зя"));
        emit cdDoorButtonClickRequested();
    }
    if (reaction.dunceMessage)
        Dialogs::information(QStringLiteral("Коль такой дурак гони пятак !!ты слеп!!"));
}

void InformationPage::BrainButtonClick()
{
    m_shell.showErrorIndicator();
    Dialogs::message(QStringLiteral("Т.К. математике умножение на ноль равно ноль следует."));
    m_ui.LabelResult4->setText(m_ui.MaskEditBrain->text());
    for (QLabel* label : {m_ui.LabelResult1, m_ui.LabelResult2, m_ui.LabelResult3, m_ui.LabelResult4, m_ui.LabelResult5,
                          m_ui.LabelResult6})
        label->show();
}

void InformationPage::TreeView1Click()
{
    m_shell.showErrorIndicator();
}

void InformationPage::TreeView1MouseMove()
{
    m_shell.hideErrorIndicator();
}
