#include "annotationbake.h"
#include "annotationpainter.h"
#include "framestore.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// A picture in which every pixel differs from its neighbours, so any blur or stroke shows.
QImage patternFrame(QSize size, int seed = 0)
{
    QImage frame(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            frame.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 11 + seed) % 256, (x * y) % 256));
    return frame;
}

VideoAnnotation annotation(int kind, QPoint p1, QPoint p2, qint64 startMs = 0, qint64 endMs = 10000)
{
    VideoAnnotation made;
    made.kind = kind;
    made.p1 = p1;
    made.p2 = p2;
    made.startMs = startMs;
    made.endMs = endMs;
    made.color = QColor(255, 60, 60);
    if (kind == VideoAnnotation::Text)
        made.text = QStringLiteral("Label");
    return made;
}

QImage painted(const QImage &frame, const VideoAnnotation &annotation)
{
    QImage result = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    AnnotationPainter::forKind(annotation.kind).paint(result, annotation);
    return result;
}

// Pixels that differ between two pictures of one size, as a bounding rectangle.
QRect changedArea(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

QImage premultiplied(const QImage &frame)
{
    return frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestAnnotationPainter : public QObject
{
    Q_OBJECT

private slots:
    void eachKindPaintsOnlyItsOwnArea_data();
    void eachKindPaintsOnlyItsOwnArea();
    void arrowHeadPointsAtTheTip();
    void blurPixelatesByTenAndNarrowRegionsBecomeOneColumn();
    void textKeepsAReadableSize();
    void annotationsShowInclusivelyWithinTheirRange();
    void viewWithoutDecorationsIsWhatTheBakeWrites();
    void decorationsMarkTheSelectionAndTheDraft();
    void bakeReportsProgressAndStopsWhenAsked();
};

void TestAnnotationPainter::eachKindPaintsOnlyItsOwnArea_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<QRect>("allowed");

    // Strokes are 4 pixels wide, and an arrow's head reaches 16 pixels back from the tip.
    QTest::newRow("arrow") << int(VideoAnnotation::Arrow) << QPoint(20, 60) << QPoint(100, 60)
                           << QRect(17, 49, 87, 23);
    QTest::newRow("rectangle, corners given backwards")
        << int(VideoAnnotation::Rectangle) << QPoint(110, 90) << QPoint(30, 40)
        << QRect(27, 37, 87, 57);
    QTest::newRow("rectangle past the edge is drawn at the edge")
        << int(VideoAnnotation::Rectangle) << QPoint(100, 50) << QPoint(400, 300)
        << QRect(97, 47, 63, 73);
    QTest::newRow("blur") << int(VideoAnnotation::Blur) << QPoint(40, 30) << QPoint(99, 79)
                          << QRect(40, 30, 60, 50);
    QTest::newRow("text") << int(VideoAnnotation::Text) << QPoint(10, 10) << QPoint(150, 60)
                          << QRect(10, 10, 141, 51);
}

void TestAnnotationPainter::eachKindPaintsOnlyItsOwnArea()
{
    QFETCH(int, kind);
    QFETCH(QPoint, p1);
    QFETCH(QPoint, p2);
    QFETCH(QRect, allowed);

    const QImage frame = patternFrame(QSize(160, 120));
    const QImage result = painted(frame, annotation(kind, p1, p2));
    QCOMPARE(result.size(), frame.size());
    const QRect changed = changedArea(premultiplied(frame), result);
    QVERIFY(!changed.isEmpty());
    QVERIFY2(allowed.contains(changed), qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                                       .arg(changed.x())
                                                       .arg(changed.y())
                                                       .arg(changed.width())
                                                       .arg(changed.height())));
}

void TestAnnotationPainter::arrowHeadPointsAtTheTip()
{
    QImage frame(120, 80, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const QImage result = painted(frame, annotation(VideoAnnotation::Arrow, {10, 40}, {100, 40}));
    const QRgb red = qRgb(255, 60, 60);
    // The head is 16 long and spreads 8 to each side just behind the tip, more than the line.
    QCOMPARE(result.pixel(97, 40), red);
    QCOMPARE(result.pixel(88, 35), red);
    QCOMPARE(result.pixel(88, 45), red);
    QCOMPARE(result.pixel(40, 34), qRgb(0, 0, 0));
    QCOMPARE(result.pixel(110, 40), qRgb(0, 0, 0));
}

void TestAnnotationPainter::blurPixelatesByTenAndNarrowRegionsBecomeOneColumn()
{
    const QImage frame = patternFrame(QSize(100, 100));

    // 8 pixels wide: the region shrinks to a single column, so every row is one colour.
    const QImage narrow =
        painted(frame, annotation(VideoAnnotation::Blur, QPoint(20, 10), QPoint(27, 89)));
    for (int y = 10; y < 90; ++y)
        for (int x = 21; x < 28; ++x)
            QCOMPARE(narrow.pixel(x, y), narrow.pixel(20, y));
    QVERIFY(narrow.pixel(20, 10) != narrow.pixel(20, 89));

    // A single pixel is left as it is.
    const QImage dot = painted(frame, annotation(VideoAnnotation::Blur, {5, 5}, {5, 5}));
    QCOMPARE(dot, premultiplied(frame));

    // A wide region keeps a tenth of its detail: noise comes out smooth.
    QImage noise(100, 100, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            noise.setPixel(x, y, random.generate() | 0xff000000u);
    const QImage wide =
        painted(noise, annotation(VideoAnnotation::Blur, QPoint(0, 0), QPoint(99, 99)));
    auto variation = [](const QImage &image) {
        int sum = 0;
        for (int x = 1; x < image.width(); ++x)
            sum += qAbs(qRed(image.pixel(x, 50)) - qRed(image.pixel(x - 1, 50)));
        return sum;
    };
    QVERIFY2(variation(wide) * 10 < variation(noise),
             qPrintable(QStringLiteral("%1 vs %2").arg(variation(wide)).arg(variation(noise))));
}

void TestAnnotationPainter::textKeepsAReadableSize()
{
    QImage frame(200, 60, QImage::Format_RGB32);
    frame.fill(Qt::black);
    VideoAnnotation tiny = annotation(VideoAnnotation::Text, {0, 0}, {199, 59});
    tiny.fontPixelSize = 2;
    VideoAnnotation smallest = tiny;
    smallest.fontPixelSize = TextAnnotationPainter::smallestPixelSize;
    QCOMPARE(painted(frame, tiny), painted(frame, smallest));
    VideoAnnotation large = tiny;
    large.fontPixelSize = 30;
    QVERIFY(changedArea(premultiplied(frame), painted(frame, large)).height() >
            changedArea(premultiplied(frame), painted(frame, smallest)).height());
}

void TestAnnotationPainter::annotationsShowInclusivelyWithinTheirRange()
{
    const QImage frame = premultiplied(patternFrame(QSize(80, 60)));
    const QList<VideoAnnotation> annotations{
        annotation(VideoAnnotation::Rectangle, {5, 5}, {30, 30}, 1000, 2000),
        annotation(VideoAnnotation::Blur, {40, 10}, {75, 50}, 1500, 3000)};
    auto at = [&](qint64 ms, int skipped = -1) {
        QImage result = frame;
        paintAnnotationsAt(result, ms, annotations, skipped);
        return result;
    };
    const QImage rectangleOnly = painted(frame, annotations[0]);
    QCOMPARE(at(999), frame);
    QCOMPARE(at(1000), rectangleOnly);
    QCOMPARE(at(2000, 1), rectangleOnly);
    QCOMPARE(at(2001), painted(frame, annotations[1]));
    QCOMPARE(at(3001), frame);
}

void TestAnnotationPainter::viewWithoutDecorationsIsWhatTheBakeWrites()
{
    FrameStore recording;
    QList<qint64> times;
    for (int i = 0; i < 4; ++i) {
        recording.appendWaiting(patternFrame(QSize(160, 100), i * 40));
        times.append(i * 500);
    }
    recording.waitUntilStored();
    VideoAnnotation text = annotation(VideoAnnotation::Text, {10, 10}, {150, 50}, 500, 1000);
    text.text = QStringLiteral("Ünïcode — текст");
    const QList<VideoAnnotation> annotations{
        annotation(VideoAnnotation::Arrow, {10, 90}, {120, 20}, 0, 1000),
        annotation(VideoAnnotation::Blur, {60, 30}, {140, 95}, 1000, 1499), text};

    // One time more than frames: the frames without a time are not baked.
    times.append(2000);
    const FrameStore::Snapshot baked =
        AnnotationBake(recording.snapshot(), times, annotations).run();
    QCOMPARE(baked.count(), 4);
    for (int i = 0; i < 4; ++i) {
        const QImage view = renderEditorFrame(recording.at(i), times[i], annotations, {});
        QCOMPARE(baked.at(i), view);
    }
    // Nothing is shown on the last frame: it comes out as recorded.
    QCOMPARE(baked.at(3), premultiplied(recording.at(3)));
}

void TestAnnotationPainter::decorationsMarkTheSelectionAndTheDraft()
{
    const QImage frame = premultiplied(patternFrame(QSize(200, 150)));
    const QList<VideoAnnotation> annotations{
        annotation(VideoAnnotation::Blur, {20, 20}, {90, 80}),
        annotation(VideoAnnotation::Text, {100, 20}, {190, 60})};
    QImage bare = frame;
    paintAnnotationsAt(bare, 0, annotations);

    EditorDecorations selection;
    selection.selected = 0;
    const QImage selected = renderEditorFrame(frame, 0, annotations, selection);
    // The dashed frame lies on the blur's edge and the handles sit on its corners.
    QVERIFY(selected.pixel(55, 20) != bare.pixel(55, 20));
    QCOMPARE(selected.pixel(20, 20) & 0xffffff, annotations[0].color.rgb() & 0xffffff);
    QCOMPARE(selected.copy(100, 0, 100, 150), bare.copy(100, 0, 100, 150));

    EditorDecorations editing;
    editing.hidden = 1;
    QImage withoutText = frame;
    paintAnnotationsAt(withoutText, 0, annotations, 1);
    QCOMPARE(renderEditorFrame(frame, 0, annotations, editing), withoutText);

    EditorDecorations drafting;
    drafting.draft = annotation(VideoAnnotation::Rectangle, {30, 100}, {120, 140});
    drafting.draft->color.setAlpha(200);
    const QImage draft = renderEditorFrame(frame, 0, annotations, drafting);
    const QRgb stroke = draft.pixel(75, 100);
    QVERIFY(qRed(stroke) > 200 && qRed(stroke) < 255);
    QCOMPARE(draft.copy(0, 0, 200, 95), bare.copy(0, 0, 200, 95));
}

void TestAnnotationPainter::bakeReportsProgressAndStopsWhenAsked()
{
    FrameStore recording;
    QList<qint64> times;
    for (int i = 0; i < 7; ++i) {
        recording.appendWaiting(patternFrame(QSize(40, 30), i));
        times.append(i * 100);
    }
    recording.waitUntilStored();
    const AnnotationBake bake(recording.snapshot(), times,
                              {annotation(VideoAnnotation::Rectangle, {2, 2}, {30, 20})});

    QList<QPair<qsizetype, qsizetype>> reports;
    const auto progress = [&](qsizetype done, qsizetype count) { reports.append({done, count}); };
    QCOMPARE(bake.run(progress).count(), 7);
    const QList<QPair<qsizetype, qsizetype>> expected{{1, 7}, {4, 7}, {7, 7}};
    QCOMPARE(reports, expected);

    int asked = 0;
    QVERIFY(bake.run({}, [&] { return ++asked == 3; }).isEmpty());
    QCOMPARE(asked, 3);
}

QTEST_MAIN(TestAnnotationPainter)
#include "tst_annotationpainter.moc"
