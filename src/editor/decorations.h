#pragma once

#include "drawobject.h"
#include "paintcontext.h"

#include <QPainter>
#include <QPoint>

#include <initializer_list>

// The round grab marks of a selected object.
void drawHandles(QPainter &painter, std::initializer_list<QPoint> points, int radius);
void drawCornerHandles(QPainter &painter, const DrawBounds &bounds, int radius);

// The numbered disc of an emphasised object.
double badgeRadius(const DrawObject &object);
// Badges count 1, 2, 3... in the order their objects were added, among the objects shown.
int badgeNumber(const DrawObject &object, const PaintContext &context);
void drawBadge(QPainter &painter, QPointF centre, const DrawObject &object,
               const PaintContext &context);
