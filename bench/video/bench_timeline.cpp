// The storyboard timeline of a one-minute recording at 1600 pixels wide with 50 bands over
// screen-like thumbnails: the cost of one repaint, and of making the thumbnails on a resize, from
// frames in memory and from the recorder's compressed frame store.

#include "benchfigures.h"
#include "framestore.h"
#include "screenlike.h"
#include "storyboardtimeline.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int timelineWidth = 1600;
constexpr int bandCount = 50;
constexpr qint64 durationMs = 60000;
constexpr int frameCount = 1500;
constexpr int distinctFrames = 30;
constexpr int repaintRuns = 1000;
constexpr int resizeRuns = 50;

QList<TimelineBand> someBands()
{
    QRandomGenerator random(14);
    QList<TimelineBand> bands;
    for (int i = 0; i < bandCount - 1; ++i) {
        TimelineBand band;
        band.startMs = random.bounded(durationMs - 2000);
        band.endMs = std::min(durationMs, band.startMs + 1000 + random.bounded(7000));
        band.color = QColor::fromHsv(random.bounded(360), 200, 230);
        band.selected = i == 7;
        band.index = i;
        band.kind = i % 4;
        bands.append(band);
    }
    TimelineBand microphone;
    microphone.endMs = durationMs;
    microphone.color = QColor(48, 145, 190);
    microphone.locked = true;
    microphone.label = QStringLiteral("Microphone");
    bands.append(microphone);
    return bands;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Frames share a few pictures, so that a minute of them fits in memory; the thumbnails still
    // scale every frame they are made from.
    const ScreenLikeContent content(QSize(1280, 720));
    QList<QImage> pictures;
    for (int i = 0; i < distinctFrames; ++i)
        pictures.append(content.frame(i));
    QList<QImage> frames;
    for (int i = 0; i < frameCount; ++i)
        frames.append(pictures[i % distinctFrames]);

    StoryboardTimeline timeline;
    timeline.resize(timelineWidth, 64);
    timeline.show();
    // A window not yet exposed skips its paints.
    QElapsedTimer waited;
    waited.start();
    while (!timeline.windowHandle()->isExposed() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    timeline.setFrames(frames, durationMs);
    const QList<TimelineBand> bands = someBands();
    timeline.setBands(bands);
    timeline.ensureBandVisible(7);
    timeline.setPlayhead(durationMs / 3);

    int playhead = 0;
    const Spread repaint = measureMs(repaintRuns, [&] {
        timeline.setPlayhead(playhead++ * 40 % durationMs);
        timeline.repaint();
    });
    // Back and forth by one pixel keeps the thumbnail count; by 40 pixels changes it.
    auto resizing = [&](int step) {
        return measureMs(resizeRuns, [&, step, flip = false]() mutable {
            flip = !flip;
            timeline.resize(timelineWidth + (flip ? step : 0), 64);
            QCoreApplication::processEvents();
        });
    };
    const Spread memorySame = resizing(1);
    const Spread memoryNew = resizing(40);

    FrameStore store;
    // Faster than real time: wait for the compressor rather than have it drop frames.
    for (const QImage &frame : std::as_const(frames))
        store.appendWaiting(frame);
    store.waitUntilStored();
    timeline.setFrames(TimelineFrames::of(store.snapshot()), durationMs);
    const Spread storeSame = resizing(1);
    const Spread storeNew = resizing(40);

    std::printf("bench_timeline: %d px wide, %d bands in %d lanes, %d thumbnails, %d frames\n",
                timelineWidth, bandCount, assignLanes(bands).count, timelineWidth / 40, frameCount);
    auto print = [](const char *what, const Spread &figures, int runs) {
        std::printf("  %-44s median %7.3f ms   p99 %7.3f ms   (%d runs)\n", what, figures.median,
                    figures.p99, runs);
    };
    print("repaint", repaint, repaintRuns);
    print("resize, same thumbnail count", memorySame, resizeRuns);
    print("resize, new thumbnails, frames in memory", memoryNew, resizeRuns);
    print("resize, same thumbnail count, frame store", storeSame, resizeRuns);
    print("resize, new thumbnails, frame store", storeNew, resizeRuns);
    return 0;
}
