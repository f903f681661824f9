#pragma once

#include <QImage>
#include <QSize>

// Screen-like frames: a gradient wallpaper, a task bar, two still windows full of text and a
// third window that moves across them.
class ScreenLikeContent
{
public:
    explicit ScreenLikeContent(QSize size);
    // The picture with the moving window at its step-th position.
    QImage frame(int step) const;

private:
    QImage desktop;
    QImage moving;
};
