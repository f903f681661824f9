#pragma once

// QR codes made by the qrencode program, so that tests and benchmarks decode codes that another
// encoder wrote.

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

namespace QrCodes {

inline bool encoderAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("qrencode")).isEmpty();
}

// Dark modules on white, `moduleSize` pixels each, with the standard quiet zone; null on failure.
inline QImage encode(const QString &text, int moduleSize = 4)
{
    QProcess encoder;
    encoder.start(QStringLiteral("qrencode"),
                  {QStringLiteral("-t"), QStringLiteral("PNG"), QStringLiteral("-o"),
                   QStringLiteral("-"), QStringLiteral("-s"), QString::number(moduleSize),
                   QStringLiteral("-m"), QStringLiteral("4"), QStringLiteral("--"), text});
    if (!encoder.waitForFinished(10000) || encoder.exitCode() != 0)
        return {};
    return QImage::fromData(encoder.readAllStandardOutput(), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

inline QImage inverted(QImage image)
{
    image.invertPixels();
    return image;
}

// `pictures` side by side at `gap` from each other on a white sheet of `size` (or just large
// enough), starting at `at`.
inline QImage sheet(const QList<QImage> &pictures, QSize size = {}, QPoint at = {10, 10},
                    int gap = 40, const QColor &background = Qt::white)
{
    int width = at.x();
    int height = 0;
    for (const QImage &picture : pictures) {
        width += picture.width() + gap;
        height = std::max(height, picture.height());
    }
    if (size.isEmpty())
        size = QSize(width, height + 2 * at.y());
    QImage result(size, QImage::Format_RGB32);
    result.fill(background);
    QPainter painter(&result);
    int x = at.x();
    for (const QImage &picture : pictures) {
        painter.drawImage(x, at.y(), picture);
        x += picture.width() + gap;
    }
    return result;
}

} // namespace QrCodes
