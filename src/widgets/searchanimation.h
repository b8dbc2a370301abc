#pragma once

#include <QTimer>
#include <QWidget>

// A small looping picture of a magnifying glass searching over a computer, eight frames in a decorative
// square; it starts playing as soon as it exists.
class SearchAnimation final : public QWidget
{
    Q_OBJECT
public:
    explicit SearchAnimation(QWidget* parent = nullptr);

    static constexpr int FrameCount = 8;
    int frame() const { return m_frame; }
    bool playing() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};
