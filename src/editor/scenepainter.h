#pragma once

#include "paintcontext.h"

#include <QPainter>

// The document in layer order 0 to 3, then the object the user is drawing (`editState`).
void paintScene(QPainter &painter, const PaintContext &context, const DrawObject &editState);

// True when a visible opaque picture, drawn at its own size, covers the whole canvas: then the
// white background cannot show and need not be filled.
bool canvasCoveredByOpaquePicture(const PaintContext &context);
