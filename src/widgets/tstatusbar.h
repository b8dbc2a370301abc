#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

// The bottom status bar: seven panels side by side. A mouse-down anywhere on the bar is reported with its x
// position, since the program decides by position which panel was hit. The positions it decides by belong to
// the classic layout (ClassicWidths, ClassicGap at scale 100), so the bar reports every press in those terms,
// whatever the panels' real widths and the window's scale.
class TStatusBar final : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int PanelCount = 7;
    static constexpr std::array<int, PanelCount> ClassicWidths{55, 55, 60, 150, 90, 90, 50};
    static constexpr int ClassicGap = 2;
    // What the panels get at scale 100: the clock and the resolution panel need room for " 23:59:59" and
    // "1280x1024" under the free fonts, and the whole bar has to fit the window's 542-pixel width. The room
    // comes from the end of the system-folder panel (a short path on Linux) and from the empty last panel, so
    // the user and computer panels stay where they always were.
    static constexpr std::array<int, PanelCount> PanelWidths{57, 55, 67, 141, 90, 90, 30};
    static constexpr int PanelIndent = 2;
    static constexpr int PanelGap = 2;

    explicit TStatusBar(QWidget* parent = nullptr);

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    /// The panel's place on the bar, in the bar's own pixels.
    QRect panelGeometry(int index) const;
    /// Multiplies the panels' widths and gaps by m/d; scalings compound like the window's.
    void scalePanels(int m, int d);
    /// The classic x position that a press at the bar's x position stands for.
    int classicX(int x) const;

signals:
    /// x is in classic positions (see classicX).
    void mouseDown(int x, Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int shownLeft(int index) const;
    int shownRight(int index) const;
    void placePanels();

    std::array<QLabel*, PanelCount> m_panels{};
    double m_scale = 1.0;
};
