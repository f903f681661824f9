// Preparing a 4K screen region for OCR (grey, bordered, tripled to about 77 MP, PNG): how long
// the work takes, and the longest stall of the GUI thread's event loop while it runs on a pool
// thread, as the OCR scanner runs it. Done on the GUI thread, the whole time is a freeze.

#include "../video/screenlike.h"
#include "ocrrequest.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QImageReader>
#include <QTimer>
#include <QtConcurrent>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QImage region = ScreenLikeContent(QSize(3840, 2160)).frame(0);

    QElapsedTimer clock;
    clock.start();
    const QByteArray png = OcrRequest::preparedPng(region);
    const double onGuiThreadMs = clock.nsecsElapsed() / 1e6;

    qint64 longestGapNs = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    QFutureWatcher<QByteArray> watcher;
    QObject::connect(&watcher, &QFutureWatcher<QByteArray>::finished, &app,
                     &QCoreApplication::quit);
    clock.restart();
    sinceTick.start();
    ticker.start(1);
    watcher.setFuture(QtConcurrent::run(&OcrRequest::preparedPng, region));
    app.exec();
    const double offThreadMs = clock.nsecsElapsed() / 1e6;

    QBuffer buffer;
    buffer.setData(png);
    const QSize sent = QImageReader(&buffer, "PNG").size();
    std::printf("OCR preparation of a 3840x2160 region (%dx%d, %.1f MP sent, %lld PNG bytes):\n",
                sent.width(), sent.height(), sent.width() * double(sent.height()) / 1e6,
                qint64(png.size()));
    std::printf("  on the GUI thread: %.0f ms frozen\n", onGuiThreadMs);
    std::printf("  on a pool thread: %.0f ms in all, longest event-loop stall %.1f ms\n",
                offThreadMs, longestGapNs / 1e6);
    return png.isEmpty() || watcher.result().isEmpty() ? 1 : 0;
}
