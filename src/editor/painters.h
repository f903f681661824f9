#pragma once

#include "paintcontext.h"

#include <QPainter>

// Paints one kind of object. Every painter leaves the painter state as it found it.
class ObjectPainter
{
public:
    virtual ~ObjectPainter() = default;
    virtual void paint(QPainter &painter, const DrawObject &object,
                       const PaintContext &context) const = 0;
};

class PicturePainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

class LinePainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

class SquarePainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

class ArrowPainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

class TextPainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

class BlurPainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

// The inverting frame of the crop and blur tools while the user drags them out.
class SelectionPreviewPainter : public ObjectPainter
{
public:
    void paint(QPainter &painter, const DrawObject &object,
               const PaintContext &context) const override;
};

// The painter of a stored object's kind; null for kinds that are never painted as objects.
const ObjectPainter *painterFor(ToolKind kind);

// The blurred look of `area` of the picture composite; an area one pixel wide or high stays
// as it is. `area` lies within the composite.
QImage blurArea(const QImage &composite, const QRect &area);

// The white outline that keeps a text readable on any background, as a sprite to draw at the
// text's origin plus `offset`.
struct TextHalo
{
    QImage image;
    QPoint offset;
};
TextHalo renderTextHalo(const QString &text, int size);

// Where a picture object shows its pixmap: over its bounds, or at the pixmap's own size on an
// axis where the bounds are empty.
QRect pictureRect(const DrawObject &picture, const QPixmap &pixmap);
// The pixmap of a picture object; null when its index does not refer to one.
QPixmap pictureOf(const DrawObject &picture, const QList<QPixmap> &pictures);
