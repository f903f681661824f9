#pragma once

#include <QImage>
#include <QSize>
#include <QStringList>

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

// The ffmpeg arguments that read such frames as raw pixels from input ("-" for a pipe),
// overwriting the output and logging errors only.
QStringList ffmpegRawFrameInput(QSize size, int fps, const QString &input);
