#include "rulerguides.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace RulerGuides {

bool isHorizontal(const QLineF &guide)
{
    return qFuzzyCompare(guide.y1(), guide.y2());
}

int guideAt(const QList<QLineF> &guides, const QPointF &point)
{
    int best = -1;
    qreal bestDistance = PickDistance;
    for (int index = 0; index < guides.size(); ++index) {
        const QLineF &guide = guides.at(index);
        const QPointF along = guide.p2() - guide.p1();
        const qreal squaredLength = QPointF::dotProduct(along, along);
        QPointF nearest = guide.p1();
        if (squaredLength > 1e-12) {
            const qreal t = QPointF::dotProduct(point - guide.p1(), along) / squaredLength;
            nearest += std::clamp(t, 0.0, 1.0) * along;
        }
        const qreal distance = QLineF(point, nearest).length();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = index;
        }
    }
    return best;
}

QLineF horizontalGuide(const QRect &window, qreal y)
{
    const qreal clamped = std::clamp(y, qreal(window.top()), qreal(window.bottom()));
    return QLineF(window.left(), clamped, window.right(), clamped);
}

QLineF verticalGuide(const QRect &window, qreal x)
{
    const qreal clamped = std::clamp(x, qreal(window.left()), qreal(window.right()));
    return QLineF(clamped, window.top(), clamped, window.bottom());
}

QLineF fitted(const QLineF &stored, const QRect &window)
{
    if (std::abs(stored.dx()) >= std::abs(stored.dy()))
        return horizontalGuide(window, stored.y1());
    return verticalGuide(window, stored.x1());
}

bool hasRoomFor(const QList<QLineF> &guides, const QLineF &guide)
{
    if (guides.size() >= MaxGuides)
        return false;
    const bool horizontal = isHorizontal(guide);
    const auto same = std::count_if(guides.begin(), guides.end(), [horizontal](const QLineF &g) {
        return isHorizontal(g) == horizontal;
    });
    return same < MaxGuidesPerOrientation;
}

QList<Gap> gapsBetween(QList<qreal> positions)
{
    std::sort(positions.begin(), positions.end());
    QList<Gap> gaps;
    for (int index = 1; index < positions.size(); ++index) {
        const qreal previous = positions.at(index - 1);
        const qreal current = positions.at(index);
        gaps.append({(previous + current) / 2, qRound(current - previous)});
    }
    return gaps;
}

} // namespace RulerGuides
