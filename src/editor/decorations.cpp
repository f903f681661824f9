#include "decorations.h"

#include <QLinearGradient>

#include <algorithm>
#include <cmath>

void drawHandles(QPainter &painter, std::initializer_list<QPoint> points, int radius)
{
    painter.save();
    painter.setPen(QColor(50, 100, 120, 200));
    painter.setBrush(QColor(200, 200, 210, 120));
    for (const QPoint &point : points)
        painter.drawEllipse(QPointF(point), radius, radius);
    painter.restore();
}

void drawCornerHandles(QPainter &painter, const DrawBounds &b, int radius)
{
    drawHandles(painter,
                {QPoint(b.left, b.top), QPoint(b.right, b.bottom), QPoint(b.right, b.top),
                 QPoint(b.left, b.bottom)},
                radius);
}

double badgeRadius(const DrawObject &object)
{
    return std::max(1.6 * object.size, 12.0);
}

int badgeNumber(const DrawObject &object, const PaintContext &context)
{
    // An object still being drawn has no serial yet: it will be the newest.
    const auto addedBefore = [&object](const DrawObject &other) {
        return other.serial != 0 && (object.serial == 0 || other.serial < object.serial);
    };
    const int count = std::min(context.visibleCount, int(context.objects.size()));
    int number = 1;
    for (int i = 0; i < count; ++i) {
        const DrawObject &other = context.objects.at(i);
        if (other.emphasis == 1 && canCarryBadge(other.kind) && addedBefore(other))
            ++number;
    }
    return number;
}

void drawBadge(QPainter &painter, QPointF centre, const DrawObject &object,
               const PaintContext &context)
{
    const double r = badgeRadius(object);
    const QRectF square(centre - QPointF(r, r), QSizeF(2 * r, 2 * r));
    painter.save();

    QLinearGradient shadow(square.topLeft(), square.bottomRight());
    shadow.setColorAt(0, QColor(0, 0, 0, 0));
    shadow.setColorAt(1, QColor(0, 0, 0, 58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(square.translated(1, 1));

    QLinearGradient disc(square.topLeft(), square.bottomRight());
    disc.setColorAt(0, Qt::white);
    disc.setColorAt(0.55, QColor(255, 255, 255, 245));
    disc.setColorAt(1, QColor(235, 235, 235, 245));
    painter.setPen(QPen(object.color, object.size <= 5 ? 2.0 : double(object.size / 2)));
    painter.setBrush(disc);
    painter.drawEllipse(square);

    QFont font(QStringLiteral("sans-serif"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(int(std::lround(1.12 * r)));
    font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(font);
    const QString number = QString::number(badgeNumber(object, context));
    painter.setPen(QColor(0, 0, 0, 85));
    painter.drawText(square.translated(1, 1), Qt::AlignCenter, number);
    painter.setPen(object.color.darker(125));
    painter.drawText(square, Qt::AlignCenter, number);

    painter.restore();
}
