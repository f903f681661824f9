#pragma once

#include "paintcontext.h"

#include <QPainter>

// The document in layer order 0 to 3, then the object the user is drawing (`editState`).
void paintScene(QPainter &painter, const PaintContext &context, const DrawObject &editState);
