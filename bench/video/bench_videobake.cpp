// The video editor's two costs: one frame rendered for the view with ten annotations at full HD
// (playback and band drags redraw it every frame), and baking annotations into a recording's
// frames for export, with the memory the bake takes.

#include "annotationbake.h"
#include "annotationpainter.h"
#include "benchfigures.h"
#include "framestore.h"
#include "screenlike.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int renderRuns = 500;
constexpr int bakeFrames = 600;
constexpr int bakeFps = 25;
constexpr qint64 bakeDurationMs = qint64(bakeFrames) * 1000 / bakeFps;
constexpr double renderTargetMs = 8.0;
constexpr double bakeTargetFps = 150.0;
// The longest recording: five minutes of full HD at 25 frames per second, and the recorder's bound.
constexpr int longFrames = 300 * bakeFps;
constexpr qint64 recorderMemoryBound = qint64(1024) << 20;

VideoAnnotation annotation(int kind, QRect box, qint64 startMs, qint64 endMs, QColor color)
{
    VideoAnnotation made;
    made.kind = kind;
    made.p1 = box.topLeft();
    made.p2 = box.bottomRight();
    made.startMs = startMs;
    made.endMs = endMs;
    made.color = color;
    if (kind == VideoAnnotation::Text)
        made.text = QStringLiteral("Click here to open the settings, then choose Export");
    return made;
}

// Ten annotations shown at once on a full-HD frame, two of them blurs.
QList<VideoAnnotation> viewAnnotations()
{
    using A = VideoAnnotation;
    const QColor red(255, 60, 60);
    const QColor yellow(250, 210, 40);
    return {annotation(A::Arrow, QRect(200, 200, 300, 180), 0, 10000, red),
            annotation(A::Arrow, QRect(1400, 300, -250, 200), 0, 10000, yellow),
            annotation(A::Arrow, QRect(900, 900, 120, -260), 0, 10000, red),
            annotation(A::Rectangle, QRect(100, 600, 500, 300), 0, 10000, red),
            annotation(A::Rectangle, QRect(1100, 100, 600, 350), 0, 10000, yellow),
            annotation(A::Rectangle, QRect(700, 450, 300, 200), 0, 10000, red),
            annotation(A::Blur, QRect(1300, 600, 480, 300), 0, 10000, red),
            annotation(A::Blur, QRect(60, 40, 420, 120), 0, 10000, red),
            annotation(A::Text, QRect(700, 120, 340, 120), 0, 10000, Qt::white),
            annotation(A::Text, QRect(1200, 900, 360, 100), 0, 10000, yellow)};
}

// Five annotations over a 24-second recording of 1280 x 720, one of them a blur; about half of
// them are shown on any frame.
QList<VideoAnnotation> bakeAnnotations()
{
    using A = VideoAnnotation;
    const QColor red(255, 60, 60);
    return {annotation(A::Arrow, QRect(100, 100, 300, 200), 0, 12000, red),
            annotation(A::Rectangle, QRect(500, 200, 400, 250), 4000, 16000, red),
            annotation(A::Blur, QRect(800, 400, 360, 220), 0, bakeDurationMs, red),
            annotation(A::Text, QRect(80, 500, 400, 120), 10000, 20000, Qt::white),
            annotation(A::Arrow, QRect(1100, 600, -300, -200), 18000, bakeDurationMs, red)};
}

// Records `count` screen-like frames at the benchmark's rate into the store; returns their times.
QList<qint64> recordScreenLike(FrameStore &store, QSize size, int count)
{
    const ScreenLikeContent content(size);
    QList<qint64> times;
    for (int i = 0; i < count; ++i) {
        store.appendWaiting(content.frame(i));
        times.append(qint64(i) * 1000 / bakeFps);
    }
    store.waitUntilStored();
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);

    const QImage fullHd = ScreenLikeContent(QSize(1920, 1080)).frame(3);
    const QList<VideoAnnotation> shown = viewAnnotations();
    EditorDecorations decorations;
    decorations.selected = 8;
    decorations.draft = annotation(VideoAnnotation::Rectangle, QRect(300, 300, 200, 150), 0, 0,
                                   QColor(255, 60, 60, 200));
    QImage view;
    const Spread render =
        measureMs(renderRuns, [&] { view = renderEditorFrame(fullHd, 5000, shown, decorations); });
    std::printf("bench_videobake: editor view of a 1920 x 1080 frame, %lld annotations, a "
                "selection and a draft\n",
                qlonglong(shown.size()));
    std::printf("  render: median %.2f ms, p99 %.2f ms, max %.2f ms (%d runs; target <= %.0f ms)\n",
                render.median, render.p99, render.max, renderRuns, renderTargetMs);

    FrameStore recording;
    const QList<qint64> times = recordScreenLike(recording, QSize(1280, 720), bakeFrames);
    const AnnotationBake bake(recording.snapshot(), times, bakeAnnotations());

    const bool peakReset = resetPeakResident();
    const qint64 residentBefore = peakResidentBytes();
    QElapsedTimer timer;
    timer.start();
    const FrameStore::Snapshot baked = bake.run();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 peak = peakResidentBytes();
    const double fps = baked.count() / seconds;

    std::printf("  bake: %lld frames of 1280 x 720 with 5 annotations (one blur) in %.2f s: "
                "%.0f frames/s (target >= %.0f)\n",
                qlonglong(baked.count()), seconds, fps, bakeTargetFps);
    if (peakReset)
        std::printf("  bake memory: peak resident %.0f MB, %.0f MB above the start of the bake "
                    "(the recording's own store included before)\n",
                    megabytes(peak), megabytes(peak - residentBefore));
    else
        std::printf("  bake memory: peak resident %.0f MB of the whole run\n", megabytes(peak));

    // The whole export of the longest recording must stay within the recorder's memory bound: the
    // recording and the baked copy are both kept compressed.
    FrameStore longRecording;
    const QList<qint64> longTimes = recordScreenLike(longRecording, QSize(1920, 1080), longFrames);
    QList<VideoAnnotation> longAnnotations = bakeAnnotations();
    for (VideoAnnotation &annotation : longAnnotations)
        annotation.endMs = longTimes.constLast();
    timer.restart();
    const FrameStore::Snapshot longBaked =
        AnnotationBake(longRecording.snapshot(), longTimes, longAnnotations).run();
    const double longSeconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 longPeak = peakResidentBytes();
    std::printf("  5 minutes of 1920 x 1080 (%lld frames): baked in %.1f s (%.0f frames/s); peak "
                "resident memory of the process %.0f MB (bound %.0f MB)\n",
                qlonglong(longBaked.count()), longSeconds, longBaked.count() / longSeconds,
                megabytes(longPeak), megabytes(recorderMemoryBound));

    return baked.count() == bakeFrames && longBaked.count() == longFrames &&
                   render.median <= renderTargetMs && fps >= bakeTargetFps &&
                   longPeak <= recorderMemoryBound
               ? 0
               : 1;
}
