#include "dialogs/tabout.h"

#include <QShowEvent>

#include "common/clickfilter.h"
#include "common/dialogs.h"
#include "common/guardedconnect.h"
#include "ui_About.h"

TAbout::TAbout(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::About>())
{
    ui->setupUi(this);
    setFixedSize(size());
    // Closing the box hides it; with the main window in the tray that must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    ui->Label7->setText(QStringLiteral(TROMBUS_VERSION));
    Timer1.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(500);
    connectGuarded(&Timer1, &QTimer::timeout, this, &TAbout::Timer1Timer);
    connectGuarded(ui->SpeedButton1, &QToolButton::clicked, this, &TAbout::SpeedButton1Click);
    MouseHandlers::onClick(ui->StaticText1, [this] { StaticText1Click(); });
    MouseHandlers::onClick(ui->Image1, [this] { Image1Click(); });
}

TAbout::~TAbout() = default;

void TAbout::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAbout::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TAbout::FormShow()
{
    Timer1.start();
}

void TAbout::FormHide()
{
    Timer1.stop();
}

void TAbout::Timer1Timer()
{
    ++alignmentStep;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignmentStep == 2) {
        horizontal = Qt::AlignHCenter;
    } else if (alignmentStep == 3) {
        horizontal = Qt::AlignRight;
    } else if (alignmentStep == 4) {
        alignmentStep = 1;
    } else {
        return;
    }
    ui->StaticText1->setAlignment(horizontal | Qt::AlignVCenter);
}

void TAbout::SpeedButton1Click()
{
    hide();
}

void TAbout::StaticText1Click()
{
    ui->Label11->setEnabled(true);
}

void TAbout::Image1Click()
{
    Dialogs::message(QStringLiteral("Не клакай папортишь!"));
}
