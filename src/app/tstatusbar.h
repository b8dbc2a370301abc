#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

// The bottom status bar: seven panels of fixed widths. A mouse-down anywhere on the bar is reported with
// its x position, since the program decides by position which panel was hit.
class TStatusBar final : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int PanelCount = 7;
    static constexpr std::array<int, PanelCount> PanelWidths{55, 55, 60, 150, 90, 90, 50};
    static constexpr int PanelGap = 2;

    explicit TStatusBar(QWidget* parent = nullptr);

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

signals:
    void mouseDown(int x, Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QLabel*, PanelCount> m_panels{};
};
