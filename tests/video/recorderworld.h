#pragma once

// The outside world of a recorder in tests: what it grabs, the cursor it sees and its clock.

#include "settingskeys.h"
#include "videorecord.h"

#include <QImage>
#include <QPixmap>
#include <QRandomGenerator>

const QRgb background = qRgb(60, 60, 60);

// The outside world of a recorder: a flat grey screen grabbed at a chosen scale, a red square for
// the cursor with its hot spot at (2, 2), and a clock the test sets.
struct FakeWorld
{
    qint64 now = 0;
    qreal scale = 1.0;
    bool noisy = false;
    QPoint pointer{-1000, -1000};

    VideoRecord::Environment environment()
    {
        VideoRecord::Environment environment;
        environment.grab = [this](QScreen *, const QRect &area) {
            QImage picture((QSizeF(area.size()) * scale).toSize(), QImage::Format_RGB32);
            picture.fill(background);
            if (noisy) {
                // Pixels that differ from frame to frame keep the encoders busy.
                auto *pixels = reinterpret_cast<quint32 *>(picture.bits());
                QRandomGenerator::global()->fillRange(pixels, picture.sizeInBytes() / 4);
            }
            QPixmap grabbed = QPixmap::fromImage(picture);
            grabbed.setDevicePixelRatio(scale);
            return grabbed;
        };
        environment.cursor = [] {
            QPixmap picture(8, 8);
            picture.fill(Qt::red);
            return CapturedCursor{picture, QPoint(2, 2)};
        };
        environment.pointer = [this] { return pointer; };
        environment.clock = [this] { return now; };
        return environment;
    }
};

// What a recorder reads at its start: the format, and a capture area placed at (100, 100).
inline void storeRecorderPlacement(const QString &format, const QSize &captureSize)
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::VideoFormat, format);
    settings.setValue(SettingsKeys::VideoRecorderPosition, QPoint(100, 100));
    settings.setValue(SettingsKeys::VideoRecorderCaptureSize, captureSize);
    settings.sync();
}
