// QR scan of a full-HD screen region holding one code and of one holding none (where every
// candidate picture is tried), against zbarimg reading the same pictures from PNG files.

#include "../../tests/support/qrcodes.h"
#include "../video/screenlike.h"
#include "qrdecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 15;
// zbarimg reads this many copies of a picture in one process, so its start-up is shared out.
constexpr int ZbarBatch = 10;
constexpr double TargetMs = 60.0;

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Milliseconds per picture, and what zbarimg printed for the last copy; negative when it failed.
double zbarMsPerPicture(const QString &path, QString *decoded)
{
    const QStringList arguments =
        QStringList{QStringLiteral("-q"), QStringLiteral("--raw")} + QStringList(ZbarBatch, path);
    bool failed = false;
    const double total = medianMs(5, [&] {
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), arguments);
        // zbarimg exits with 4 when it found no code; that is an answer, not a failure.
        if (!zbar.waitForFinished(60000) || zbar.exitStatus() != QProcess::NormalExit ||
            (zbar.exitCode() != 0 && zbar.exitCode() != 4)) {
            failed = true;
            return;
        }
        *decoded = QString::fromUtf8(zbar.readAllStandardOutput()).split('\n').value(0);
    });
    return failed ? -1.0 : total / ZbarBatch;
}

void report(const char *name, const QImage &region, const QString &path, const QString &expected)
{
    QString ours;
    const double scanMs = medianMs(Runs, [&] { ours = QrDecoder::scanImage(region); });
    const double withReadMs = medianMs(Runs, [&] { QrDecoder::scanImage(QImage(path)); });
    QString theirs;
    const double zbarMs = zbarMsPerPicture(path, &theirs);

    std::printf("%-28s scan %6.1f ms (target <= %.0f: %s), with PNG read %6.1f ms, result %s\n",
                name, scanMs, TargetMs, scanMs <= TargetMs ? "met" : "MISSED", withReadMs,
                ours == expected ? "right" : "WRONG");
    if (zbarMs < 0) {
        std::printf("%-28s zbarimg failed\n", "");
        return;
    }
    std::printf("%-28s zbarimg %6.1f ms per picture (batch of %d, PNG read included), result %s; "
                "ratio ours/zbarimg %.2f\n",
                "", zbarMs, ZbarBatch, theirs == expected ? "right" : "WRONG", withReadMs / zbarMs);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (!QrCodes::encoderAvailable() ||
        QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty()) {
        std::printf("bench_qr: needs qrencode and zbarimg (scripts/setup --bench)\n");
        return 1;
    }
    QTemporaryDir folder;
    const QSize size(1920, 1080);
    const QImage empty = ScreenLikeContent(size).frame(0);
    const QString text = QStringLiteral("https://example.org/share/7f3a9c2e?from=bench");
    QImage withCode = empty;
    QPainter(&withCode).drawImage(1200, 300, QrCodes::encode(text, 5));

    const QString emptyPath = folder.filePath(QStringLiteral("none.png"));
    const QString codePath = folder.filePath(QStringLiteral("one.png"));
    if (!empty.save(emptyPath) || !withCode.save(codePath)) {
        std::printf("bench_qr: cannot write the pictures\n");
        return 1;
    }
    std::printf("QR scan of a %dx%d region, median of %d runs\n", size.width(), size.height(),
                Runs);
    report("one code", withCode, codePath, text);
    report("no code (all candidates)", empty, emptyPath, QString());
    return 0;
}
