#include "widgets/searchanimation.h"

#include <QPainter>
#include <QtMath>

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent)
{
    m_timer.setInterval(150);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % FrameCount;
        update();
    });
    m_timer.start();
}

void SearchAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(box);

    const qreal unit = qMin(box.width(), box.height()) / 10.0;
    const QPointF centre = box.center();
    // The monitor and its stand.
    const QRectF screen(centre.x() - 3 * unit, centre.y() - 2.5 * unit, 6 * unit, 4 * unit);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x00, 0x80, 0x80));
    painter.drawRect(screen);
    painter.setBrush(Qt::gray);
    painter.drawRect(QRectF(centre.x() - 2 * unit, screen.bottom() + unit * 0.6, 4 * unit, unit * 0.8));

    // The glass circles the monitor, one eighth of a turn per frame.
    const qreal angle = 2 * M_PI * m_frame / FrameCount;
    const QPointF lens(centre.x() + 2.5 * unit * qCos(angle), centre.y() + 2.0 * unit * qSin(angle));
    const qreal radius = 1.6 * unit;
    painter.setPen(QPen(QColor(0x80, 0x40, 0x00), unit * 0.7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(lens + QPointF(radius * 0.7, radius * 0.7), lens + QPointF(radius * 1.8, radius * 1.8));
    painter.setPen(QPen(Qt::black, unit * 0.4));
    painter.setBrush(QColor(0xC0, 0xE0, 0xFF, 0xA0));
    painter.drawEllipse(lens, radius, radius);
}
