#include "framedecoration.h"

#include <QPainter>

#include <cmath>

void drawCursorIntoFrame(QImage &frame, const QRect &area, const CapturedCursor &cursor,
                         const QPoint &pointer)
{
    if (cursor.pixmap.isNull() || !area.contains(pointer) || area.isEmpty())
        return;
    const qreal sx = qreal(frame.width()) / area.width();
    const qreal sy = qreal(frame.height()) / area.height();
    const QPoint topLeft(int(std::lround((pointer.x() - area.left()) * sx)) -
                             int(std::lround(cursor.hotSpot.x() * sx)),
                         int(std::lround((pointer.y() - area.top()) * sy)) -
                             int(std::lround(cursor.hotSpot.y() * sy)));
    const QSizeF logical = cursor.pixmap.deviceIndependentSize();
    const QSize scaled(std::max(1, int(std::lround(logical.width() * sx))),
                       std::max(1, int(std::lround(logical.height() * sy))));
    QPixmap picture = cursor.pixmap.scaled(scaled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    picture.setDevicePixelRatio(1);
    QPainter painter(&frame);
    painter.drawPixmap(topLeft, picture);
}

void drawClickHighlights(QImage &frame, const QSize &areaSize, const QList<ClickMark> &clicks,
                         qint64 nowMs)
{
    if (areaSize.isEmpty())
        return;
    QPainter painter;
    for (const ClickMark &click : clicks) {
        const qint64 age = nowMs - click.timeMs;
        if (age < 0 || age > clickHighlightMs)
            continue;
        if (!painter.isActive()) {
            painter.begin(&frame);
            painter.setRenderHint(QPainter::Antialiasing);
        }
        const qreal p = age / qreal(clickHighlightMs);
        const QPointF centre(
            std::lround(click.pos.x() * qreal(frame.width()) / areaSize.width()),
            std::lround(click.pos.y() * qreal(frame.height()) / areaSize.height()));
        const qreal radius = 7 + 18 * p;
        QColor ring(255, 215, 40);
        ring.setAlphaF(float(0.85 * (1 - p)));
        painter.setPen(QPen(ring, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius, radius);
        QColor dot(255, 110, 30);
        dot.setAlphaF(float(1 - p));
        painter.setPen(Qt::NoPen);
        painter.setBrush(dot);
        painter.drawEllipse(centre, 3.0, 3.0);
    }
}
