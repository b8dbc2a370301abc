#pragma once

#include <QFrame>
#include <QImage>

// A picture box: the picture sits in the top-left corner, shrunk to fit with its proportions kept when it is
// larger than the box (a smaller one keeps its size), and the box's thin frame is drawn over its edge.
class TImage final : public QFrame
{
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clear();
    /// The picture as given.
    const QImage& picture() const { return m_picture; }
    /// The size the picture is drawn at in the box as it is now.
    QSize shownSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
