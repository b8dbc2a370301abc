#pragma once

#include <QProxyStyle>

// The style's standard pictures (arrows, media keys, folders) as icons that read their image files only when
// first drawn or asked for a picture. The pages build dozens of them, most on pages nobody has opened yet, and
// reading them all before the first paint was a good share of the start-up.
class DeferredIconStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    /// Takes `base`, which answers everything else and makes each picture when it is needed.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap picture, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
