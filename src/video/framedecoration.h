#pragma once

#include "capturecursor.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

// A left-button press during a recording: where it was, relative to the capture area's top-left
// in logical pixels, and when, in milliseconds of the recording clock.
struct ClickMark
{
    QPoint pos;
    qint64 timeMs = 0;
};

// How long a click stays visible in the frames.
inline constexpr qint64 clickHighlightMs = 325;

// Draws the cursor into a frame grabbed from `area` (global logical pixels) when the pointer lies
// inside it. The frame may hold more pixels than the area on a scaled display: position, hot spot
// and picture are scaled by the same factors.
void drawCursorIntoFrame(QImage &frame, const QRect &area, const CapturedCursor &cursor,
                         const QPoint &pointer);

// Draws a growing, fading ring with a dot for every click younger than clickHighlightMs at
// `nowMs`, placed in the frame's pixels for an area of `areaSize` logical pixels.
void drawClickHighlights(QImage &frame, const QSize &areaSize, const QList<ClickMark> &clicks,
                         qint64 nowMs);
