#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// One timed annotation of a recording. Coordinates are frame pixels; times are milliseconds since
// the recording started.
struct VideoAnnotation
{
    enum Kind
    {
        Arrow = 0,
        Rectangle = 1,
        Blur = 2,
        Text = 3
    };

    // The arrow's start, or one corner of the other kinds' rectangle.
    QPoint p1;
    // The arrow's tip, or the opposite corner.
    QPoint p2;
    qint64 startMs = 0;
    // Inclusive: the annotation is still drawn at this moment.
    qint64 endMs = 0;
    QColor color;
    int kind = Arrow;
    QString text;
    int fontPixelSize = 20;

    bool isShownAt(qint64 ms) const { return startMs <= ms && ms <= endMs; }
    QRect box() const { return QRect(p1, p2).normalized(); }
};
