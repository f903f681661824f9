#pragma once

#include "frozenimagesampler.h"

#include <QColor>
#include <QLabel>
#include <QPoint>
#include <QRegion>

// The frozen picture under the region selector, with the dimming, crosshair, loupe and hint
// painted over it. Its state is written directly by SelectRegion; positions are in overlay
// coordinates.
class SelectRegionLabel : public QLabel
{
public:
    explicit SelectRegionLabel(QWidget *parent = nullptr);

    QPoint startPos;
    QPoint currentPos;
    bool selecting = false;
    bool showLoupe = false;
    QColor pickedColor;

    // Repaints at once what the fields' changes since the last call can have altered. A move
    // over a 4K desktop then blits a few strips instead of the whole picture; the pixels are
    // those of a full repaint.
    void repaintChanges();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Layout;
    Layout layout() const;
    QRegion decorationRegion() const;
    QRect selectionArea() const;

    FrozenImageSampler sampler;
    QRegion paintedDecorations;
    QRect paintedSelection;
};
