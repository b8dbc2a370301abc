#pragma once

#include <QFrame>

// A rectangle drawn only as its border, with a pen that inverts whatever lies under it, so the border stays
// visible on any window colour. Its inside is transparent.
class TShape final : public QFrame
{
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
