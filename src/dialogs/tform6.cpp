#include "dialogs/tform6.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui_Form6.h"

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form6>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    // The middle of the desktop: the primary screen's free area, where a window manager's panels leave room.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

TForm6::~TForm6() = default;
