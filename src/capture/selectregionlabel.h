#pragma once

#include "frozenimagesampler.h"

#include <QColor>
#include <QLabel>
#include <QPoint>

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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FrozenImageSampler sampler;
};
