#include "widgets/tshape.h"

#include <QPainter>

TShape::TShape(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // What the window painted here already is the destination; the pen only flips it.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
