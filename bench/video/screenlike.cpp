#include "screenlike.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

QImage textWindow(QSize size, const QString &title, QColor background)
{
    QImage window(size, QImage::Format_RGB32);
    window.fill(background);
    QPainter painter(&window);
    painter.fillRect(QRect(0, 0, size.width(), 28), QColor(60, 64, 72));
    painter.setPen(Qt::white);
    painter.drawText(QPoint(10, 19), title);
    painter.setPen(QColor(30, 30, 30));
    for (int line = 0; 48 + line * 18 < size.height(); ++line)
        painter.drawText(QPoint(12, 48 + line * 18),
                         QStringLiteral("%1  int value = compute(%2, \"text\"); // status %3")
                             .arg(line + 1, 3)
                             .arg(line * 7)
                             .arg(line % 5));
    return window;
}

} // namespace

ScreenLikeContent::ScreenLikeContent(QSize size) : desktop(size, QImage::Format_RGB32)
{
    QPainter painter(&desktop);
    QLinearGradient wallpaper(0, 0, size.width(), size.height());
    wallpaper.setColorAt(0, QColor(20, 60, 110));
    wallpaper.setColorAt(1, QColor(90, 30, 80));
    painter.fillRect(desktop.rect(), wallpaper);
    painter.fillRect(QRect(0, size.height() - 40, size.width(), 40), QColor(32, 32, 36));
    painter.drawImage(QPoint(60, 50),
                      textWindow(QSize(900, 700), "editor.cpp", QColor(250, 250, 248)));
    painter.drawImage(QPoint(1000, 120),
                      textWindow(QSize(820, 560), "Terminal", QColor(235, 240, 232)));
    moving = textWindow(QSize(640, 420), "Notes", QColor(255, 252, 220));
}

QImage ScreenLikeContent::frame(int step) const
{
    QImage frame = desktop.copy();
    QPainter painter(&frame);
    painter.drawImage(QPoint(100 + step * 7, 300 + (step % 50) * 4), moving);
    return frame;
}

QStringList ffmpegRawFrameInput(QSize size, int fps, const QString &input)
{
    // QImage's 32-bit RGB is 0xffRRGGBB in native order: B, G, R, unused in memory.
    return {"-y",
            "-v",
            "error",
            "-f",
            "rawvideo",
            "-pix_fmt",
            "bgr0",
            "-s",
            QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
            "-r",
            QString::number(fps),
            "-i",
            input};
}
