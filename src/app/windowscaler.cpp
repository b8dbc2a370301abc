#include "app/windowscaler.h"

#include <QLayout>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <cmath>

namespace {

int mulDiv(int value, int m, int d)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * m / d));
}

bool placedByItsParent(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return true;
    if (qobject_cast<const QTabWidget*>(parent) || qobject_cast<const QStackedWidget*>(parent))
        return true;
    return parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(widget)) >= 0;
}

void scaleFont(QWidget* widget, int m, int d)
{
    if (!widget->testAttribute(Qt::WA_SetFont))
        return;
    QFont font = widget->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, mulDiv(font.pixelSize(), m, d)));
    else
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * m / d));
    widget->setFont(font);
}

} // namespace

void scaleWidgetTree(QWidget* root, int m, int d)
{
    if (m <= 0 || d <= 0)
        return;
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* widget : children) {
        if (widget->isWindow() || widget->objectName().isEmpty() ||
            widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (!placedByItsParent(widget)) {
            const QRect g = widget->geometry();
            widget->setGeometry(mulDiv(g.x(), m, d), mulDiv(g.y(), m, d), mulDiv(g.width(), m, d),
                                mulDiv(g.height(), m, d));
        }
        scaleFont(widget, m, d);
    }
    QFont rootFont = root->font();
    rootFont.setPointSizeF(std::max(1.0, rootFont.pointSizeF() * m / d));
    root->setFont(rootFont);
    const QPoint topLeft = root->pos();
    root->resize(mulDiv(root->width(), m, d), mulDiv(root->height(), m, d));
    root->move(topLeft);
}
