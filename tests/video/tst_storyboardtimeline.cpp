#include "storyboardtimeline.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

Q_DECLARE_METATYPE(TimelineBand)
Q_DECLARE_METATYPE(BandPart)

namespace {

// 406 pixels leave 400 for the time axis: with 4000 ms one pixel is 10 ms and x = ms / 10 + 2.
constexpr int axisWidth = 406;
constexpr qint64 axisDuration = 4000;
constexpr QColor stripBackground(8, 8, 8);
constexpr QColor rulerGrey(125, 125, 125);

using Ranges = QList<QPair<qint64, qint64>>;

TimelineBand band(qint64 startMs, qint64 endMs, QColor color = Qt::green, int index = 0)
{
    TimelineBand result;
    result.startMs = startMs;
    result.endMs = endMs;
    result.color = color;
    result.index = index;
    return result;
}

QList<QImage> solidFrames(const QList<QColor> &colors)
{
    QList<QImage> frames;
    for (const QColor &color : colors) {
        QImage frame(320, 200, QImage::Format_RGB32);
        frame.fill(color);
        frames.append(frame);
    }
    return frames;
}

bool near(QColor actual, QColor expected, int tolerance = 2)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

QColor over(QColor color, int alpha, QColor below)
{
    auto mix = [&](int top, int bottom) { return bottom + (top - bottom) * alpha / 255; };
    return QColor(mix(color.red(), below.red()), mix(color.green(), below.green()),
                  mix(color.blue(), below.blue()));
}

// Runs of columns of the frame strip's width that hold pixels lighter than the given grey
// between the rows top and bottom: the texts drawn there.
QList<QPair<int, int>> textRuns(const QImage &image, int top, int bottom, int grey)
{
    QList<QPair<int, int>> runs;
    int start = -1;
    const int end = image.width() - 3;
    for (int x = 2; x <= end; ++x) {
        bool ink = false;
        for (int y = top; x < end && y <= bottom && !ink; ++y)
            ink = qGray(image.pixel(x, y)) > grey;
        if (ink && start < 0)
            start = x;
        if (!ink && start >= 0) {
            runs.append({start, x - 1});
            start = -1;
        }
    }
    return runs;
}

class Timeline
{
public:
    explicit Timeline(int width, qint64 durationMs = axisDuration)
    {
        widget.resize(width, 64);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.setFrames(QList<QImage>(), durationMs);
    }
    QImage picture() { return widget.grab().toImage(); }
    bool wheel(int delta)
    {
        QWheelEvent event(QPointF(50, 20), widget.mapToGlobal(QPointF(50, 20)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&widget, &event);
        return event.isAccepted();
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&widget, Qt::LeftButton, {}, from);
        QTest::mouseMove(&widget, to);
        QTest::mouseRelease(&widget, Qt::LeftButton, {}, to);
    }

    StoryboardTimeline widget;
};

} // namespace

class TestStoryboardTimeline : public QObject
{
    Q_OBJECT

private slots:
    void lanes_data()
    {
        QTest::addColumn<Ranges>("ranges");
        QTest::addColumn<QList<int>>("lanes");
        QTest::addColumn<int>("count");
        QTest::newRow("touching bands share a lane")
            << Ranges{{0, 1000}, {1000, 2000}} << QList<int>{0, 0} << 1;
        QTest::newRow("four overlapping")
            << Ranges{{0, 4000}, {500, 3000}, {1000, 2500}, {1500, 2000}} << QList<int>{0, 1, 2, 3}
            << 4;
        QTest::newRow("lowest free lane first")
            << Ranges{{0, 1000}, {0, 3000}, {1500, 2000}} << QList<int>{0, 1, 0} << 2;
        QTest::newRow("by start, not by list order")
            << Ranges{{2000, 3000}, {0, 2500}, {100, 1000}} << QList<int>{1, 0, 1} << 2;
        QTest::newRow("no bands") << Ranges{} << QList<int>{} << 1;
    }
    void lanes()
    {
        QFETCH(Ranges, ranges);
        QFETCH(QList<int>, lanes);
        QFETCH(int, count);
        QList<TimelineBand> bands;
        for (const auto &range : ranges)
            bands.append(band(range.first, range.second));
        const LaneAssignment result = assignLanes(bands);
        QCOMPARE(result.laneOf, lanes);
        QCOMPARE(result.count, count);
    }

    void timeAxis_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("probeX");
        QTest::addColumn<qint64>("probeMs");
        QTest::newRow("start") << axisWidth << axisDuration << qint64(0) << 2 << 2 << qint64(0);
        QTest::newRow("end") << axisWidth << axisDuration << axisDuration << 402 << 402
                             << axisDuration;
        QTest::newRow("half pixel rounds away from zero")
            << axisWidth << axisDuration << qint64(5) << 3 << 203 << qint64(2010);
        QTest::newRow("negative half pixel rounds away from zero")
            << axisWidth << axisDuration << qint64(-5) << 1 << -40 << qint64(0);
        QTest::newRow("past the strip is the end")
            << axisWidth << axisDuration << qint64(6000) << 602 << 900 << axisDuration;
        QTest::newRow("no duration")
            << axisWidth << qint64(0) << qint64(700) << 2 << 200 << qint64(0);
        QTest::newRow("no width") << 6 << axisDuration << qint64(0) << 2 << 4 << qint64(0);
    }
    void timeAxis()
    {
        QFETCH(int, width);
        QFETCH(qint64, duration);
        QFETCH(qint64, ms);
        QFETCH(int, x);
        QFETCH(int, probeX);
        QFETCH(qint64, probeMs);
        const TimelineGeometry geometry(width, 64, duration, 0, 1);
        QCOMPARE(geometry.xAt(ms), x);
        QCOMPARE(geometry.msAt(probeX), probeMs);
    }

    void hitTest_data()
    {
        QTest::addColumn<QList<TimelineBand>>("bands");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("band");
        QTest::addColumn<BandPart>("part");
        TimelineBand locked = band(0, 2000);
        locked.locked = true;
        QTest::newRow("body") << QList<TimelineBand>{band(0, 2000)} << QPoint(60, 10) << 0
                              << BandPart::Body;
        QTest::newRow("end edge") << QList<TimelineBand>{band(0, 2000)} << QPoint(207, 10) << 0
                                  << BandPart::EndEdge;
        QTest::newRow("edge reach ends at 7 pixels")
            << QList<TimelineBand>{band(1000, 3000)} << QPoint(95, 10) << -1 << BandPart::None;
        QTest::newRow("start edge wins on a short band")
            << QList<TimelineBand>{band(1000, 1040)} << QPoint(105, 10) << 0 << BandPart::StartEdge;
        QTest::newRow("later band wins") << QList<TimelineBand>{band(0, 1000), band(1000, 2000)}
                                         << QPoint(102, 10) << 1 << BandPart::StartEdge;
        QTest::newRow("locked bands cannot be grabbed")
            << QList<TimelineBand>{locked} << QPoint(60, 10) << -1 << BandPart::None;
        QTest::newRow("another lane") << QList<TimelineBand>{band(0, 2000), band(0, 1000)}
                                      << QPoint(150, 30) << -1 << BandPart::None;
        QTest::newRow("below the lanes is the last lane")
            << QList<TimelineBand>{band(0, 2000), band(0, 1000)} << QPoint(60, 55) << 1
            << BandPart::Body;
    }
    void hitTest()
    {
        QFETCH(QList<TimelineBand>, bands);
        QFETCH(QPoint, point);
        QFETCH(int, band);
        QFETCH(BandPart, part);
        const LaneAssignment lanes = assignLanes(bands);
        const BandHit hit = TimelineGeometry(axisWidth, 64, axisDuration, 0, lanes.count)
                                .hitTest(bands, lanes, point);
        QCOMPARE(hit.band, band);
        QCOMPARE(hit.part, part);
    }

    // Four overlapping bands: three lanes show, the wheel scrolls by one and a mark at the right
    // edge tells where.
    void wheelScrollsLanes()
    {
        Timeline timeline(axisWidth);
        const QList<QColor> colors{Qt::red, Qt::green, Qt::blue, Qt::yellow};
        QList<TimelineBand> bands;
        for (int i = 0; i < colors.size(); ++i)
            bands.append(band(i * 100, axisDuration, colors[i], i));
        timeline.widget.setBands(bands);

        // Lane rows are 14 pixels high from y 2; each band's opaque start edge is at ms / 10 + 2.
        auto shownLanes = [&] {
            const QImage image = timeline.picture();
            QList<int> shown;
            for (int row = 0; row < 3; ++row) {
                for (int lane = 0; lane < colors.size(); ++lane) {
                    if (image.pixelColor(lane * 10 + 3, 2 + row * 14 + 7) == colors[lane])
                        shown.append(lane);
                }
            }
            return shown;
        };
        auto markRows = [&] {
            const QImage image = timeline.picture();
            QList<int> rows;
            for (int y = 0; y < 64; ++y) {
                if (qGray(image.pixel(axisWidth - 3, y)) > 150)
                    rows.append(y);
            }
            return rows;
        };

        QCOMPARE(shownLanes(), (QList<int>{0, 1, 2}));
        const QList<int> markAtTop = markRows();
        QVERIFY(!markAtTop.isEmpty());
        QCOMPARE(markAtTop.first(), 4);

        QVERIFY(timeline.wheel(-120));
        QCOMPARE(shownLanes(), (QList<int>{1, 2, 3}));
        QCOMPARE(markRows().last(), 43);
        QVERIFY(timeline.wheel(-120));
        QCOMPARE(timeline.widget.firstVisibleLane(), 1);
        QVERIFY(timeline.wheel(120));
        QCOMPARE(shownLanes(), (QList<int>{0, 1, 2}));

        timeline.widget.ensureBandVisible(3);
        QCOMPARE(timeline.widget.firstVisibleLane(), 1);

        timeline.widget.setBands(bands.mid(0, 3));
        QCOMPARE(timeline.widget.firstVisibleLane(), 0);
        QVERIFY(!timeline.wheel(-120));
        QVERIFY(markRows().isEmpty());
    }

    // A press on a band's body that moves 2 pixels or less is a click and seeks.
    void clickOnBandSeeks_data()
    {
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<bool>("seeks");
        QTest::newRow("still") << QPoint(0, 0) << true;
        QTest::newRow("one and one") << QPoint(1, 1) << true;
        QTest::newRow("two across") << QPoint(2, 0) << true;
        QTest::newRow("two and one") << QPoint(2, 1) << false;
    }
    void clickOnBandSeeks()
    {
        QFETCH(QPoint, offset);
        QFETCH(bool, seeks);
        Timeline timeline(axisWidth);
        timeline.widget.setBands({band(1000, 3000, Qt::green, 5)});
        QSignalSpy seek(&timeline.widget, &StoryboardTimeline::seekRequested);
        QSignalSpy range(&timeline.widget, &StoryboardTimeline::rangeChanged);
        const QPoint press(200, 10);
        timeline.drag(press, press + offset);
        if (seeks) {
            QCOMPARE(seek.size(), 1);
            QCOMPARE(seek.first().first().toLongLong(), (press.x() + offset.x() - 2) * 10);
            QCOMPARE(range.size(), 0);
        } else {
            QCOMPARE(seek.size(), 0);
            QCOMPARE(range.size(), 1);
            QCOMPARE(range.first(), (QList<QVariant>{5, qint64(1020), qint64(3020)}));
        }
    }

    void pressOnStripSeeks()
    {
        Timeline timeline(axisWidth);
        QSignalSpy seek(&timeline.widget, &StoryboardTimeline::seekRequested);
        timeline.drag(QPoint(102, 30), QPoint(152, 30));
        QCOMPARE(seek.size(), 2);
        QCOMPARE(seek.at(0).first().toLongLong(), 1000);
        QCOMPARE(seek.at(1).first().toLongLong(), 1500);
        QCOMPARE(timeline.widget.playhead(), 1500);
        const QImage image = timeline.picture();
        QCOMPARE(image.pixelColor(151, 30), QColor(255, 45, 45));
        QCOMPARE(image.pixelColor(152, 30), QColor(255, 45, 45));
        QCOMPARE(image.pixelColor(153, 30), stripBackground);
    }

    // Edges stop at the band's other end and at the ends of the recording; a move keeps the
    // length and stops at 0 and at the duration minus the length.
    void dragsStayInRange_data()
    {
        QTest::addColumn<int>("pressX");
        QTest::addColumn<int>("toX");
        QTest::addColumn<qint64>("startMs");
        QTest::addColumn<qint64>("endMs");
        QTest::newRow("start edge past the end") << 102 << 300 << qint64(2000) << qint64(2000);
        QTest::newRow("start edge before 0") << 102 << -50 << qint64(0) << qint64(2000);
        QTest::newRow("start edge") << 102 << 52 << qint64(500) << qint64(2000);
        QTest::newRow("end edge past the duration") << 202 << 600 << qint64(1000) << axisDuration;
        QTest::newRow("end edge before the start") << 202 << 40 << qint64(1000) << qint64(1000);
        QTest::newRow("move") << 150 << 180 << qint64(1300) << qint64(2300);
        QTest::newRow("move stops at 0") << 150 << -300 << qint64(0) << qint64(1000);
        QTest::newRow("move stops at the end") << 150 << 900 << qint64(3000) << axisDuration;
    }
    void dragsStayInRange()
    {
        QFETCH(int, pressX);
        QFETCH(int, toX);
        QFETCH(qint64, startMs);
        QFETCH(qint64, endMs);
        Timeline timeline(axisWidth);
        timeline.widget.setBands({band(0, 500, Qt::red, 0), band(1000, 2000, Qt::green, 7)});
        QSignalSpy range(&timeline.widget, &StoryboardTimeline::rangeChanged);
        QSignalSpy seek(&timeline.widget, &StoryboardTimeline::seekRequested);
        timeline.drag(QPoint(pressX, 10), QPoint(toX, 10));
        QCOMPARE(seek.size(), 0);
        QCOMPARE(range.size(), 1);
        QCOMPARE(range.first(), (QList<QVariant>{7, startMs, endMs}));
        const TimelineBand edited = timeline.widget.timelineBands().at(1);
        QCOMPARE(edited.startMs, startMs);
        QCOMPARE(edited.endMs, endMs);
    }

    void hoverCursor_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<Qt::CursorShape>("shape");
        QTest::newRow("start edge") << QPoint(98, 10) << Qt::SizeHorCursor;
        QTest::newRow("end edge") << QPoint(206, 10) << Qt::SizeHorCursor;
        QTest::newRow("body") << QPoint(150, 10) << Qt::SizeAllCursor;
        QTest::newRow("elsewhere") << QPoint(300, 10) << Qt::PointingHandCursor;
    }
    void hoverCursor()
    {
        QFETCH(QPoint, position);
        QFETCH(Qt::CursorShape, shape);
        Timeline timeline(axisWidth);
        timeline.widget.setBands({band(1000, 2000)});
        QTest::mouseMove(&timeline.widget, position);
        QCOMPARE(timeline.widget.cursor().shape(), shape);
    }

    void setPlayheadStaysInTheRecording()
    {
        Timeline timeline(axisWidth);
        QSignalSpy seek(&timeline.widget, &StoryboardTimeline::seekRequested);
        timeline.widget.setPlayhead(9000);
        QCOMPARE(timeline.widget.playhead(), axisDuration);
        timeline.widget.setPlayhead(-10);
        QCOMPARE(timeline.widget.playhead(), 0);
        QCOMPARE(seek.size(), 0);
    }

    // Selected bands are filled stronger and outlined in white; every band has opaque edges.
    void bandPaint_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("alpha");
        QTest::newRow("plain") << false << 100;
        QTest::newRow("selected") << true << 150;
    }
    void bandPaint()
    {
        QFETCH(bool, selected);
        QFETCH(int, alpha);
        Timeline timeline(axisWidth);
        TimelineBand drawn = band(1000, 3000, QColor(40, 200, 240, 30));
        drawn.selected = selected;
        timeline.widget.setBands({drawn});
        const QImage image = timeline.picture();
        const QColor opaque(40, 200, 240);
        // The band spans x 102 to 301 and the strip's rows 2 to 45.
        const QColor outerEdge = selected ? QColor(Qt::white) : opaque;
        QCOMPARE(image.pixelColor(102, 20), outerEdge);
        QCOMPARE(image.pixelColor(103, 20), opaque);
        QCOMPARE(image.pixelColor(300, 20), opaque);
        QCOMPARE(image.pixelColor(301, 20), outerEdge);
        QCOMPARE(image.pixelColor(302, 20), stripBackground);
        QVERIFY(near(image.pixelColor(200, 30), over(opaque, alpha, stripBackground)));
        QCOMPARE(image.pixelColor(200, 2) == QColor(Qt::white), selected);
        QCOMPARE(image.pixelColor(200, 43) == QColor(Qt::white), selected);
    }

    // A locked band shows its label, "Audio" when it has none, and never an icon.
    void lockedBandShowsItsLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("own label") << QStringLiteral("Microphone") << QStringLiteral("Microphone");
        QTest::newRow("no label") << QString() << QStringLiteral("Audio");
    }
    void lockedBandShowsItsLabel()
    {
        QFETCH(QString, label);
        QFETCH(QString, shown);
        Timeline timeline(axisWidth);
        TimelineBand audio = band(0, axisDuration, QColor(48, 145, 190));
        audio.locked = true;
        audio.label = label;
        timeline.widget.setBands({audio});
        const QImage withoutIcon = timeline.picture();
        audio.kind = 0;
        timeline.widget.setBands({audio});
        QCOMPARE(timeline.picture(), withoutIcon);

        // The label starts 5 pixels into the band, which starts at x 2.
        const QList<QPair<int, int>> runs = textRuns(withoutIcon, 2, 45, 180);
        QVERIFY(!runs.isEmpty());
        QVERIFY(runs.first().first >= 7);
        const int width = runs.last().second - runs.first().first + 1;
        QVERIFY(std::abs(width - timeline.widget.fontMetrics().horizontalAdvance(shown)) <= 2);
    }

    // The ruler counts whole seconds up to the end, the last tick at the end of the strip.
    void rulerNumbers()
    {
        Timeline timeline(axisWidth, 2500);
        const QImage image = timeline.picture();
        const QList<int> ticks{2, 162, 322, 402};
        for (int x = 2; x <= 402; ++x)
            QCOMPARE(image.pixelColor(x, 52) == rulerGrey, ticks.contains(x));
        // Below the ticks only the numbers are drawn.
        const QList<QPair<int, int>> runs = textRuns(image, 54, 61, 60);
        QCOMPARE(runs.size(), 4);
        for (int s = 0; s < 3; ++s) {
            const int centre = (runs[s].first + runs[s].second) / 2;
            QVERIFY2(std::abs(centre - std::max(ticks[s], 5)) <= 3, qPrintable(QString::number(s)));
        }
        QVERIFY(runs[3].second <= 402);
        QVERIFY(runs[3].second >= 396);
    }

    // A long recording puts a tick at every second, but its numbers never run together.
    void rulerNumbersKeepApart()
    {
        Timeline timeline(axisWidth, 300000);
        const QList<QPair<int, int>> runs = textRuns(timeline.picture(), 54, 61, 60);
        const int widest = timeline.widget.fontMetrics().horizontalAdvance(QStringLiteral("300"));
        QVERIFY(runs.size() > 5);
        for (const auto &run : runs)
            QVERIFY(run.second - run.first < widest);
        QVERIFY(runs.last().second >= 396);
    }

    // Thumbnails are one per 40 pixels, a single stretched one under 80, each made from the
    // frame at its share of the recording; only those frames are read, and a resize reads them
    // again only when their count changes.
    void thumbnails_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("frameOfSlot");
        QTest::newRow("narrow") << 79 << QList<int>{0};
        QTest::newRow("wide") << axisWidth << QList<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4};
    }
    void thumbnails()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, frameOfSlot);
        const QList<QColor> colors{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
        const QList<QImage> frames = solidFrames(colors);
        Timeline timeline(width);
        int reads = 0;
        TimelineFrames source{frames.size(), [&](qsizetype i) {
                                  ++reads;
                                  return frames.at(i);
                              }};
        timeline.widget.setFrames(source, axisDuration);
        QCOMPARE(reads, frameOfSlot.size());
        // A resize that keeps the count keeps the thumbnails.
        timeline.widget.resize(width - 1, 64);
        QCOMPARE(reads, frameOfSlot.size());
        timeline.widget.resize(width, 64);

        const QImage image = timeline.picture();
        const int strip = width - 5;
        const int slotCount = int(frameOfSlot.size());
        for (int slot = 0; slot < slotCount; ++slot) {
            const int left = 2 + strip * slot / slotCount;
            const int right = 2 + strip * (slot + 1) / slotCount - 1;
            for (int x : {left + 2, (left + right) / 2, right - 2})
                QCOMPARE(image.pixelColor(x, 25), colors[frameOfSlot[slot]]);
        }

        timeline.widget.resize(160, 64);
        QCOMPARE(reads, frameOfSlot.size() + 4);
    }
};

QTEST_MAIN(TestStoryboardTimeline)
#include "tst_storyboardtimeline.moc"
