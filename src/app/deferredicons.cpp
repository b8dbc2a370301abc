#include "app/deferredicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

// Stands for one standard picture until it is first needed, then forwards to the style's own icon.
class DeferredIconEngine final : public QIconEngine
{
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap picture, const QWidget* widget)
        : m_style(style), m_picture(picture), m_widget(const_cast<QWidget*>(widget))
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // A list or a button asks this when it takes the icon, long before drawing it: the style has each of its
    // standard pictures, so the answer needs no reading until the picture is made.
    bool isNull() override { return m_made && m_icon.isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    DeferredIconEngine(const DeferredIconEngine&) = default;

    const QIcon& icon()
    {
        if (!m_made) {
            m_made = true;
            // The widget may be gone, or the program may have changed its style since: then the application's
            // style of the moment makes the picture.
            QStyle* style = m_style ? m_style.data() : QApplication::style();
            m_icon = style->standardIcon(m_picture, nullptr, m_widget.data());
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_picture;
    QPointer<QWidget> m_widget;
    bool m_made = false;
    QIcon m_icon;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap picture, const QStyleOption* option, const QWidget* widget) const
{
    // An option describes the moment of the call and cannot be kept for later.
    if (option)
        return QProxyStyle::standardIcon(picture, option, widget);
    return QIcon(new DeferredIconEngine(baseStyle(), picture, widget));
}
