#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRgb>
#include <QString>

// An Xvfb of the test's own whose screen is split into monitors with xrandr, so a layout can be
// set up without touching the X server other tests share. While it runs, DISPLAY points at it, for
// this process and for the programs it starts.
class MonitorServer
{
public:
    struct Monitor
    {
        QString name;
        QRect geometry;
        bool primary = false;
    };

    ~MonitorServer();

    // Starts the server with a screen of `size` and the monitors; an empty string on success,
    // else what went wrong.
    QString start(const QSize &size, const QList<Monitor> &monitors);

    // Paints desktopPattern() as the root window's background, so every grabbed pixel tells where
    // on the screen it was taken from.
    QString paintPattern();

    // The colour of screen pixel (x, y) under paintPattern(), unique on screens up to 4096 x 4096.
    static QRgb desktopPattern(int x, int y);
    // The screen pixel a pattern colour came from.
    static QPoint patternOrigin(QRgb color);

    // Compares `image` with the pattern of screen rectangle `area`, its top-left at `at` in the
    // image, leaving out `skip` (screen coordinates); an empty string when every pixel matches.
    static QString compareWithPattern(const QImage &image, const QPoint &at, const QRect &area,
                                      const QRect &skip = QRect());

private:
    QString runXrandr(const QStringList &arguments) const;

    QProcess server;
    QString display;
    QByteArray previousDisplay;
};
