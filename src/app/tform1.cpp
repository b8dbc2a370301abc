#include "app/tform1.h"

#include <QCloseEvent>
#include <QRandomGenerator>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include "app/activationtracker.h"
#include "app/features.h"
#include "app/latepages.h"
#include "app/lifecycle.h"
#include "app/placementrules.h"
#include "app/settingsstore.h"
#include "app/trayicon.h"
#include "app/windowplacement.h"
#include "app/windowscaler.h"
#include "common/apptitle.h"
#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/colors.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/guardedconnect.h"
#include "common/strtoint.h"
#include "console/consolecontroller.h"
#include "dialogs/tform6.h"
#include "forms/helppage.h"
#include "forms/infopage.h"
#include "forms/internetpage.h"
#include "forms/mainpage.h"
#include "platform/systeminfo.h"
#include "ui_Form1.h"
#include "ui_MainPage.h"

using Phase = Lifecycle::Phase;

TForm1::TForm1(platform::Platform& platform, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Form1>()), m_platform(platform), m_arguments(std::move(arguments))
{
    ui->setupUi(this);
    scalePicturesOncePerSize(this);
    // The help, information and internet pages wait for the first paint. Each one made then takes the steps
    // the rest of the window took at start, in the same order: pictures, its controllers, the window's scale.
    const std::vector<LatePage*> late{ui->PageHelp, ui->PageInfo, ui->PageInternet};
    for (LatePage* page : late) {
        page->beforeBuild(
            [this, page, unscaledFont = page->font()] { prepareForScaleCatchUp(page, unscaledFont, m_scaleSteps); });
        page->whenBuilt([page] { scalePicturesOncePerSize(page); });
    }
    m_latePages = new LatePages(this, late);
    // Six page tabs fit the window's width only with slim tabs; the style sheet goes on the tab bar alone so
    // that the pages keep the palettes their features give them.
    ui->TabbedNotebook1->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_placement = new WindowPlacement(this);
    m_tray = std::make_unique<TrayIcon>(TrayIcon::MenuItems{*ui->N1, *ui->N27, *ui->N3, *ui->N35, *ui->N36, *ui->N37,
                                                            *ui->N38, *ui->N39, *ui->N25, *ui->N2},
                                        this);
    m_tray->show();
    connectCommands();
    m_features = std::make_unique<Features>(*this, *ui, *m_tray, m_platform);
    // After the controllers, which give some of the page's buttons their icons.
    for (LatePage* page : late)
        page->whenBuilt([this, page] { catchUpWithScale(page, m_scaleSteps); });
    // Activation re-reads the store; it runs outside any event delivery, so its errors are reported here.
    m_activation = std::make_unique<ActivationTracker>(this, [this] { runGuarded([this] { FormActivate(); }); });
    runGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

Ui::MainPage& TForm1::mainPage()
{
    return ui->PageMain->form();
}

void TForm1::connectCommands()
{
    connectGuarded(ui->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connectGuarded(ui->N7, &QAction::triggered, this, &TForm1::BitBtn2Click);
    connectGuarded(ui->N27, &QAction::triggered, this, &TForm1::BitBtn2Click);
    connectGuarded(ui->N1, &QAction::triggered, this, &TForm1::restoreFromTray);
    connectGuarded(m_tray.get(), &TrayIcon::doubleClicked, this, &TForm1::restoreFromTray);
    connectGuarded(ui->BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connectGuarded(ui->N9, &QAction::triggered, this, &TForm1::BitBtn3Click);
    connectGuarded(ui->N2, &QAction::triggered, this, &TForm1::N2Click);
    connectGuarded(ui->SpeedButton32, &QToolButton::clicked, this, &TForm1::showAbout);
    connectGuarded(ui->N6, &QAction::triggered, this, &TForm1::showAbout);
    connectGuarded(ui->N25, &QAction::triggered, this, &TForm1::showAbout);
    connectGuarded(mainPage().CheckBox7, &QCheckBox::clicked, this, &TForm1::CheckBox7Click);
    connectGuarded(mainPage().CheckBox8, &QCheckBox::clicked, this, &TForm1::CheckBox8Click);
    MouseHandlers::onClick(mainPage().Panel5, [this] { Panel5Click(); });
}

void TForm1::FormCreate()
{
    // The application-wide tooltip hook is installed with the hint settings (TApplication::applyHintSettings).
    m_features->lifecycle().run(Phase::Creation);
}

void TForm1::centreOnMonitor()
{
    const platform::ScreenSize screen = m_platform.get<platform::SystemInfo>().monitorSizeAt(
        frameGeometry().center().x(), frameGeometry().center().y());
    m_placement->placeFrame(QPoint(screen.width / 2 - width() / 2, screen.height / 2 - height() / 2));
}

void TForm1::placeFrameReachable(const QPoint& topLeft)
{
    m_placement->placeFrame(topLeft, WindowPlacement::Fit::Reachable);
}

void TForm1::resizeWithinScreen(int width, int height)
{
    const QRect frame = m_placement->frameRect();
    const QRect area = nearestArea(frame, WindowPlacement::screenAreas());
    QSize fitting(width, height);
    if (!area.isEmpty())
        fitting = fitting.boundedTo(area.size() - (frame.size() - size()));
    resize(fitting);
    // A window cut down to the screen goes wholly onto it; any other keeps the place it had.
    const bool cut = fitting != QSize(width, height);
    m_placement->placeAgain(cut ? WindowPlacement::Fit::Inside : WindowPlacement::Fit::Reachable);
}

std::vector<StoredValue> TForm1::storedValues()
{
    const auto number = [](int value) { return QString::number(value); };
    return {
        {"color", [this](const QString& value) { setWindowColor(StrToInt(value)); },
         [this, number] { return number(windowColor()); }},
        {"left",
         [this](const QString& value) {
             placeFrameReachable(QPoint(StrToInt(value), m_placement->framePosition().y()));
         },
         [this, number] { return number(m_placement->framePosition().x()); }},
        {"top",
         [this](const QString& value) {
             placeFrameReachable(QPoint(m_placement->framePosition().x(), StrToInt(value)));
         },
         [this, number] { return number(m_placement->framePosition().y()); }},
        {"height", [this](const QString& value) { resizeWithinScreen(width(), StrToInt(value)); },
         [this, number] { return number(height()); }},
        {"width", [this](const QString& value) { resizeWithinScreen(StrToInt(value), height()); },
         [this, number] { return number(width()); }},
        // Stored at close, never read back: the switch's box starts unchecked.
        {.name = "noclose",
         .text = [this] { return mainPage().CheckBox11->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); }},
    };
}

void TForm1::FormShow()
{
    m_features->lifecycle().run(Phase::Show);
}

void TForm1::FormHide()
{
    m_features->lifecycle().run(Phase::Hide);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !m_inTray)
        FormShow();
}

void TForm1::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous() && !m_inTray)
        FormHide();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The window's own minimise command also takes the taskbar entry away, as the tray commands do.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !m_inTray && isVisible() &&
        TrayIcon::available())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && !m_inTray)
                BitBtn2Click();
        });
}

void TForm1::FormActivate()
{
    m_latePages->windowActivated();
    m_features->lifecycle().run(Phase::Activation);
}

void TForm1::startInTrayIfStored()
{
    if (SettingsStore::read(m_platform, QStringLiteral("vtrey")) != QLatin1String("1"))
        return;
    Ui::MainPage& main = mainPage();
    main.CheckBox7->setChecked(true);
    CheckBox7Click();
    // Without a tray the window starts as the ordinary one: a bare window manager may have no taskbar
    // either, and a window minimised before the user ever saw it could not be found there.
    if (TrayIcon::available()) {
        BitBtn2Click();
        m_tray->show();
    }
}

void TForm1::fillNamePanels()
{
    auto& info = m_platform.get<platform::SystemInfo>();
    ui->StatusBar1->setPanelText(4, QString::fromStdString(info.userName().value_or(std::string())));
    ui->StatusBar1->setPanelText(5, QString::fromStdString(info.computerName().value_or(std::string())));
}

void TForm1::fillStatusBar()
{
    ui->StatusBar1->setPanelText(1, Clock::instance().today().toString(QStringLiteral("dd.MM.yy")));
    const platform::ScreenSize screen = m_platform.get<platform::SystemInfo>().monitorSizeAt(
        frameGeometry().center().x(), frameGeometry().center().y());
    ui->StatusBar1->setPanelText(2, QStringLiteral("%1x%2").arg(screen.width).arg(screen.height));
    ui->StatusBar1->setPanelText(3, QString::fromStdString(m_platform.get<platform::SystemInfo>().systemDirectory()));
}

void TForm1::performServiceCommandFromArgument()
{
    if (m_arguments.value(0) != QLatin1String("quartzite"))
        return;
    ui->console->setText(QStringLiteral("-=Kr@nTOS_314=-") + QLatin1Char(' ') + QLatin1Char('1'));
    ui->conbut->click();
}

TForm1::CloseDecision TForm1::FormClose()
{
    if (m_features->Tim.isActive()) {
        const int left = static_cast<int>(QRandomGenerator::global()->bounded(8000));
        Dialogs::message(QStringLiteral("Вирус пытается блокировать систему защиты, но она не лыком сшита, ХА ХА, "
                                        "осталось ") +
                         QString::number(left) + QStringLiteral(" больных филов."));
        return CloseDecision::Cancel;
    }
    Ui::MainPage& main = mainPage();
    // Settings that cannot be written (a full disk, a read-only folder) are reported, and the close goes on:
    // the user can always leave. The first write that fails ends the store, so the file keeps what it held.
    if (main.CheckBox8->isChecked())
        runGuarded([this] { m_features->lifecycle().run(Phase::Close); });
    if (m_quietClose)
        return CloseDecision::EndNow;
    if (main.CheckBox11->isChecked()) {
        BitBtn2Click();
        return CloseDecision::Cancel;
    }
    if (!Dialogs::question(QStringLiteral("Вы хотите выйти?"), QMessageBox::Warning))
        return CloseDecision::Cancel;
    const QString farewell = QStringLiteral("NNNNNOOOOOTTTTT!!!!!!");
    setWindowTitle(farewell);
    setApplicationTitle(farewell);
    return CloseDecision::EndAfterFarewell;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (m_closeState == CloseState::Ending) {
        event->accept();
        return;
    }
    event->ignore();
    // A close requested while the farewell caption is up is the same close, not a new one.
    if (m_closeState == CloseState::Farewell)
        return;
    CloseDecision decision = CloseDecision::Cancel;
    try {
        decision = FormClose();
    } catch (const std::exception& error) {
        // An error of the close path itself (not of the store, which reports its own) keeps the window open.
        showErrorReport(QString::fromUtf8(error.what()));
        return;
    }
    switch (decision) {
    case CloseDecision::Cancel:
        return;
    case CloseDecision::EndNow:
        m_closeState = CloseState::Ending;
        event->accept();
        m_tray->hide();
        emit programEnding();
        return;
    case CloseDecision::EndAfterFarewell:
        // The caption stays up for a moment while the message loop (and the timers) keep running.
        m_closeState = CloseState::Farewell;
        QTimer::singleShot(m_farewellDelayMs, this, &TForm1::finishClose);
        return;
    }
}

void TForm1::finishClose()
{
    m_closeState = CloseState::Ending;
    close();
    m_tray->hide();
    emit programEnding();
}

void TForm1::BitBtn2Click()
{
    // Without a tray to come back from, a hidden window would be lost until the settings are deleted; it
    // goes to the taskbar instead.
    if (!TrayIcon::available()) {
        showMinimized();
        return;
    }
    m_inTray = true;
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

void TForm1::restoreFromTray()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    m_inTray = false;
    raise();
    activateWindow();
}

void TForm1::BitBtn3Click()
{
    close();
}

void TForm1::N2Click()
{
    mainPage().CheckBox11->setChecked(false);
    close();
}

void TForm1::requestClose(bool quiet)
{
    m_quietClose = quiet;
    close();
}

void TForm1::setTrayIconVisible(bool visible)
{
    if (visible)
        m_tray->show();
    else
        m_tray->hide();
}

bool TForm1::serviceMode() const
{
    return m_features->console().serviceMode();
}

void TForm1::setSecondaryWindows(QWidget* about, QWidget* form2, QWidget* messia)
{
    m_about = about;
    m_form2 = form2;
    m_messia = messia;
}

void TForm1::showAbout()
{
    if (!m_about)
        return;
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void TForm1::Panel5Click()
{
    auto* picture = new TForm6();
    picture->setAttribute(Qt::WA_DeleteOnClose);
    // A picture the user left open goes with the program's window, not on after it.
    connect(this, &QObject::destroyed, picture, [picture] { delete picture; });
    picture->show();
}

void TForm1::CheckBox7Click()
{
    SettingsStore::write(m_platform, QStringLiteral("vtrey"),
                         mainPage().CheckBox7->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void TForm1::CheckBox8Click()
{
    SettingsStore::setSaveSwitch(m_platform, mainPage().CheckBox8->isChecked());
}

void TForm1::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    // Qt's platform windows show the application's name where a title is empty. A zero-width space is a title
    // with nothing to see; the window's own caption stays empty.
    if (caption.isEmpty() && windowHandle())
        windowHandle()->setTitle(QString(QChar(0x200B)));
}

qint32 TForm1::windowColor() const
{
    return m_color ? *m_color : tcolorFromColor(palette().color(QPalette::Window));
}

void TForm1::setWindowColor(qint32 color)
{
    m_color = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromTColor(color));
    setPalette(palette);
    setAutoFillBackground(true);
}

bool TForm1::scaleBy(int m, int d)
{
    if (m <= 0 || d <= 0)
        return false;
    // A window larger than the screen is the user's choice; one larger than a widget can be is not made.
    if (!scaledSizeRepresentable(size(), m, d))
        return false;
    const QRect frame = m_placement->frameRect();
    scaleWidgetTree(this, m, d);
    m_scaleSteps.emplace_back(m, d);
    ui->StatusBar1->scalePanels(m, d);
    // The corner stays where it was, unless the larger window would reach past the screen's edge there; one
    // larger than the screen keeps its title bar on it, where the user can take hold of it.
    m_placement->placeFrame(frame.topLeft(), WindowPlacement::Fit::Inside);
    return true;
}

void TForm1::showErrorIndicator()
{
    ui->ErroR->show();
    ui->ErroR->raise();
}

void TForm1::hideErrorIndicator()
{
    ui->ErroR->hide();
}
