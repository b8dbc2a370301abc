#include "widgets/timage.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

void TImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void TImage::clear()
{
    m_picture = QImage();
    update();
}

QSize TImage::shownSize() const
{
    if (m_picture.isNull())
        return {};
    const QSize size = m_picture.size();
    if (size.width() <= width() && size.height() <= height())
        return size;
    return size.scaled(this->size(), Qt::KeepAspectRatio);
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), shownSize()), m_picture);
    }
    drawFrame(&painter);
}
