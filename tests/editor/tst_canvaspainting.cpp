#include "editordocument.h"
#include "maineditor.h"
#include "scenepainter.h"

#include <QPainter>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

// Stripes 2 px wide: any blur turns them grey, so blurred and sharp pixels tell apart.
QPixmap stripes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x / 2) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return QPixmap::fromImage(image);
}

QPixmap plain(int width, int height, QColor color)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color);
    return pixmap;
}

DrawObject shape(ToolKind kind, QPoint p1, QPoint p2, QColor color, int size = 6)
{
    DrawObject object;
    object.kind = kind;
    object.color = color;
    object.size = size;
    object.p1 = p1;
    object.p2 = p2;
    object.normalize(0, 0);
    return object;
}

bool near(QRgb a, QColor b, int tolerance = 3)
{
    return std::abs(qRed(a) - b.red()) <= tolerance &&
           std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

bool isGrey(QRgb pixel)
{
    return qRed(pixel) > 40 && qRed(pixel) < 215 && std::abs(qRed(pixel) - qGreen(pixel)) < 10 &&
           std::abs(qRed(pixel) - qBlue(pixel)) < 10;
}

// A document on one picture with its canvas sized to it.
struct Fixture
{
    explicit Fixture(const QPixmap &picture)
    {
        document.startFromImage(picture);
        canvas.attachDocument(&document);
        canvas.setFixedSize(document.contentSize());
    }

    void add(const DrawObject &object)
    {
        document.commitChange([&] { document.objects.append(object); });
    }

    QImage render() { return canvas.renderResult().toImage(); }

    EditorDocument document;
    MainEditor canvas;
};

} // namespace

class TestCanvasPainting : public QObject
{
    Q_OBJECT

private slots:
    void arrowHeadLengthFollowsLengthAndSize_data();
    void arrowHeadLengthFollowsLengthAndSize();
    void arrowWithoutLengthDrawsNothing();
    void blurCoversLayerOneButNotLaterLayers();
    void narrowBlurShowsThePictureUnblurred();
    void blurOverResizedPictureBlursWhatTheCanvasShows();
    void badgeShowsItsNumber();
    void outputAndCanvasCarryNoSelection_data();
    void outputAndCanvasCarryNoSelection();
    void livePreviewShowsOnTheCanvasOnly();
    void keptResultsMatchPaintingAfresh();
};

void TestCanvasPainting::arrowHeadLengthFollowsLengthAndSize_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("headLength");

    QTest::newRow("short arrow: 45 % of its length") << 20 << 9.0;
    QTest::newRow("long arrow: 3.8 times its size") << 200 << 22.8;
}

void TestCanvasPainting::arrowHeadLengthFollowsLengthAndSize()
{
    QFETCH(int, length);
    QFETCH(double, headLength);

    const QColor color(0, 0, 200);
    Fixture fixture(plain(300, 200, Qt::white));
    const QPoint tail(50, 100);
    fixture.add(shape(ToolKind::Arrow, tail, tail + QPoint(length, 0), color));
    const QImage image = fixture.render();

    // Two pixels off the axis the shaft shows its plain colour; the head's light facet starts
    // exactly where the head's base lies.
    const int row = 102;
    int firstHeadColumn = -1;
    for (int x = tail.x() + 1; x < tail.x() + length; ++x) {
        if (!near(image.pixel(x, row), color, 1)) {
            firstHeadColumn = x;
            break;
        }
    }
    const double base = tail.x() + length - headLength;
    QCOMPARE(firstHeadColumn, int(std::floor(base)));
    QColor facet = color.lighter(130);
    QVERIFY(near(image.pixel(int(std::ceil(base)) + 1, row), facet));
}

void TestCanvasPainting::arrowWithoutLengthDrawsNothing()
{
    Fixture fixture(stripes(120, 80));
    const QImage before = fixture.render();
    fixture.add(shape(ToolKind::Arrow, QPoint(60, 40), QPoint(60, 40), Qt::red));
    QCOMPARE(fixture.render(), before);
}

void TestCanvasPainting::blurCoversLayerOneButNotLaterLayers()
{
    Fixture fixture(stripes(300, 200));
    DrawObject square = shape(ToolKind::Square, QPoint(40, 40), QPoint(140, 140), Qt::green);
    square.fill = true;
    fixture.add(square);
    fixture.add(shape(ToolKind::Line, QPoint(20, 60), QPoint(280, 60), Qt::blue));
    DrawObject emphasised = shape(ToolKind::Line, QPoint(20, 120), QPoint(280, 120), Qt::red);
    emphasised.emphasis = 1;
    fixture.add(emphasised);
    fixture.add(shape(ToolKind::Blur, QPoint(30, 30), QPoint(270, 170), QColor()));
    const QImage image = fixture.render();

    QVERIFY(near(image.pixel(200, 60), Qt::blue));
    QVERIFY(near(image.pixel(200, 120), Qt::red));
    QVERIFY(isGrey(image.pixel(90, 90)));   // the square is under the blur
    QVERIFY(isGrey(image.pixel(200, 150))); // the picture is blurred
    QVERIFY(!isGrey(image.pixel(20, 150))); // outside the blur it stays sharp
}

void TestCanvasPainting::narrowBlurShowsThePictureUnblurred()
{
    const QPixmap picture = stripes(100, 60);
    Fixture fixture(picture);
    DrawObject square = shape(ToolKind::Square, QPoint(10, 10), QPoint(90, 50), Qt::green);
    square.fill = true;
    fixture.add(square);
    fixture.add(shape(ToolKind::Blur, QPoint(30, 5), QPoint(31, 55), QColor()));
    const QImage image = fixture.render();
    const QImage source = picture.toImage();

    for (int y = 5; y < 55; ++y)
        QCOMPARE(image.pixel(30, y), source.pixel(30, y));
    QVERIFY(near(image.pixel(31, 30), Qt::green));
}

void TestCanvasPainting::blurOverResizedPictureBlursWhatTheCanvasShows()
{
    Fixture fixture(plain(200, 200, Qt::white));
    QPixmap halves(200, 100);
    halves.fill(Qt::white);
    QPainter(&halves).fillRect(0, 0, 100, 100, Qt::black);
    fixture.document.pictures.append(halves);
    DrawObject shrunk = shape(ToolKind::Picture, QPoint(0, 0), QPoint(100, 50), QColor());
    shrunk.pictureIndex = 1;
    fixture.add(shrunk);
    // On the canvas the white half spans x 50..100; unscaled, black would lie there.
    fixture.add(shape(ToolKind::Blur, QPoint(60, 10), QPoint(95, 40), QColor()));
    const QImage image = fixture.render();
    QVERIFY(near(image.pixel(25, 25), Qt::black));
    QVERIFY(near(image.pixel(77, 25), Qt::white, 20));
}

void TestCanvasPainting::badgeShowsItsNumber()
{
    Fixture fixture(plain(200, 200, Qt::white));
    DrawObject line = shape(ToolKind::Line, QPoint(100, 100), QPoint(180, 180), Qt::red);
    line.emphasis = 1;
    fixture.add(line);
    const QImage image = fixture.render();

    // Inside the disc only the digit carries the darkened colour; the line lies beneath it.
    const QColor digit = QColor(Qt::red).darker(125);
    int digitPixels = 0;
    int linePixels = 0;
    for (int y = 92; y <= 108; ++y) {
        for (int x = 92; x <= 108; ++x) {
            if (std::hypot(x - 100, y - 100) > 8)
                continue;
            digitPixels += near(image.pixel(x, y), digit, 20);
            linePixels += near(image.pixel(x, y), Qt::red, 5);
        }
    }
    QVERIFY2(digitPixels >= 10, qPrintable(QString::number(digitPixels)));
    QCOMPARE(linePixels, 0);
}

void TestCanvasPainting::outputAndCanvasCarryNoSelection_data()
{
    QTest::addColumn<bool>("canvasShown");
    QTest::newRow("hidden canvas") << false;
    QTest::newRow("shown canvas") << true;
}

void TestCanvasPainting::outputAndCanvasCarryNoSelection()
{
    QFETCH(bool, canvasShown);

    Fixture fixture(stripes(300, 200));
    fixture.add(shape(ToolKind::Square, QPoint(20, 20), QPoint(100, 80), Qt::green));
    fixture.add(shape(ToolKind::Blur, QPoint(150, 20), QPoint(250, 90), QColor()));
    fixture.add(shape(ToolKind::Arrow, QPoint(30, 150), QPoint(200, 150), Qt::red));
    DrawObject text = shape(ToolKind::Text, QPoint(200, 120), QPoint(200, 120), Qt::blue, 4);
    text.text = QStringLiteral("Hi");
    fixture.add(text);
    // Qt rasterises the first text of a process after a text path a little differently.
    fixture.render();
    const QImage unselected = fixture.render();
    for (DrawObject &object : fixture.document.objects)
        object.selected = true;
    if (canvasShown) {
        fixture.canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fixture.canvas));
    }
    QVERIFY(fixture.canvas.grab().toImage() != unselected);

    QCOMPARE(fixture.render(), unselected);
    for (const DrawObject &object : std::as_const(fixture.document.objects))
        QVERIFY(!object.selected);
    QCOMPARE(fixture.canvas.grab().toImage().convertToFormat(unselected.format()), unselected);
    QVERIFY(!fixture.document.editState.renderToTarget);
}

void TestCanvasPainting::livePreviewShowsOnTheCanvasOnly()
{
    Fixture fixture(plain(200, 100, Qt::white));
    DrawObject &edit = fixture.document.editState;
    edit = shape(ToolKind::Line, QPoint(20, 50), QPoint(180, 50), Qt::blue);
    edit.live = true;
    QVERIFY(near(fixture.canvas.grab().toImage().pixel(100, 50), Qt::blue));
    edit.live = false;
    QVERIFY(near(fixture.canvas.grab().toImage().pixel(100, 50), Qt::white));
}

void TestCanvasPainting::keptResultsMatchPaintingAfresh()
{
    Fixture fixture(stripes(400, 300));
    DrawObject text = shape(ToolKind::Text, QPoint(30, 200), QPoint(30, 200), Qt::blue, 5);
    text.text = QStringLiteral("first\nsecond");
    fixture.add(text);
    fixture.add(shape(ToolKind::Blur, QPoint(20, 20), QPoint(200, 120), QColor()));
    fixture.add(shape(ToolKind::Blur, QPoint(150, 60), QPoint(380, 250), QColor()));
    EditorDocument &document = fixture.document;

    const auto paintedAfresh = [&] {
        QPixmap pixmap(fixture.canvas.size());
        pixmap.fill(Qt::white);
        QPainter painter(&pixmap);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        paintScene(painter,
                   PaintContext{document.objects, document.pictures, document.visibleCount(),
                                fixture.canvas.size(), 7, nullptr},
                   document.editState);
        painter.end();
        return pixmap.toImage();
    };
    const std::function<void()> edits[] = {
        [] {},
        [&] { document.objects[2].moveBy(-7, -3); },
        [&] { document.objects[1].text = QStringLiteral("changed"); },
        [&] { document.pictures[0] = stripes(400, 300).transformed(QTransform().rotate(90)); },
        [&] { document.objects.removeLast(); },
    };
    for (const auto &edit : edits) {
        document.commitChange(edit);
        QCOMPARE(fixture.render(), paintedAfresh());
    }
    document.undo();
    QCOMPARE(fixture.render(), paintedAfresh());
}

QTEST_MAIN(TestCanvasPainting)
#include "tst_canvaspainting.moc"
