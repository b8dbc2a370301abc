#include "app/placementrules.h"

#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

// Squared distance between two rectangles, zero when they touch or overlap.
qint64 distanceSquared(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max<qint64>({0, qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy = std::max<qint64>({0, qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

int clampInto(int start, int length, int areaStart, int areaLength)
{
    // A frame larger than the area keeps its start (the title bar, the left edge) inside it.
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect nearestArea(const QRect& frame, const QList<QRect>& areas)
{
    QRect best;
    qint64 bestOverlap = 0;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect& area : areas) {
        const qint64 shared = overlap(frame, area);
        const qint64 distance = distanceSquared(frame, area);
        if (shared > bestOverlap || (bestOverlap == 0 && shared == 0 && distance < bestDistance)) {
            best = area;
            bestOverlap = shared;
            bestDistance = distance;
        }
    }
    return best;
}

bool titleBarReachable(const QRect& frame, int titleHeight, const QList<QRect>& areas)
{
    const QRect title(frame.left(), frame.top(), frame.width(), std::max(titleHeight, 1));
    const int grip = std::min(LeastGrip, frame.width());
    return std::any_of(areas.begin(), areas.end(), [&](const QRect& area) {
        const QRect common = title.intersected(area);
        return common.height() == title.height() && common.width() >= grip;
    });
}

QPoint reachableFramePosition(const QRect& frame, int titleHeight, const QList<QRect>& areas)
{
    if (titleBarReachable(frame, titleHeight, areas))
        return frame.topLeft();
    return insideFramePosition(frame, areas);
}

QPoint insideFramePosition(const QRect& frame, const QList<QRect>& areas)
{
    const bool inside =
        std::any_of(areas.begin(), areas.end(), [&](const QRect& area) { return area.contains(frame); });
    if (areas.isEmpty() || inside)
        return frame.topLeft();
    const QRect area = nearestArea(frame, areas);
    return {clampInto(frame.left(), frame.width(), area.left(), area.width()),
            clampInto(frame.top(), frame.height(), area.top(), area.height())};
}

bool scaledSizeRepresentable(const QSize& size, int m, int d)
{
    if (m <= 0 || d <= 0)
        return false;
    const double factor = double(m) / d;
    return qRound64(size.width() * factor) <= QWIDGETSIZE_MAX && qRound64(size.height() * factor) <= QWIDGETSIZE_MAX;
}
