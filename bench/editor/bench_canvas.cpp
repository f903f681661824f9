// Full paints of a 3840x2160 document with one picture, 20 annotations and 6 blurs: the canvas
// with its paint cache, the same scene painted with nothing kept (every blur recomposing the
// pictures), and renderResult. Prints the median of several runs of each.

#include "editordocument.h"
#include "maineditor.h"
#include "scenepainter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Width = 3840;
constexpr int Height = 2160;
constexpr int Runs = 15;

QPixmap screenLikePicture()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, Width, Height);
    gradient.setColorAt(0, QColor(30, 60, 120));
    gradient.setColorAt(1, QColor(230, 220, 200));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(7);
    for (int i = 0; i < 400; ++i) {
        painter.fillRect(random.bounded(Width), random.bounded(Height), random.bounded(20, 400),
                         random.bounded(10, 60), QColor::fromRgb(random.generate()));
    }
    painter.setPen(Qt::black);
    for (int y = 20; y < Height; y += 24)
        painter.drawText(
            10, y, QStringLiteral("The quick brown fox jumps over the lazy dog ").repeated(12));
    return QPixmap::fromImage(image);
}

DrawObject annotation(ToolKind kind, QPoint p1, QPoint p2, QColor color, int emphasis = 0)
{
    DrawObject object;
    object.kind = kind;
    object.color = color;
    object.size = 6;
    object.emphasis = emphasis;
    object.setPoints(p1.x(), p1.y(), p2.x(), p2.y());
    object.normalize(Width, Height);
    return object;
}

void fillDocument(EditorDocument &document)
{
    document.startFromImage(screenLikePicture());
    const QColor colors[] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::magenta, Qt::black};
    for (int i = 0; i < 5; ++i) {
        const QPoint at(200 + i * 700, 150 + i * 350);
        const QColor color = colors[i];
        const int emphasis = i % 3 == 0 ? 1 : 0;
        QList<DrawObject> added;
        added << annotation(ToolKind::Line, at, at + QPoint(500, 120), color, emphasis);
        DrawObject square = annotation(ToolKind::Square, at + QPoint(0, 200), at + QPoint(450, 480),
                                       color, i == 2 ? 1 : 0);
        square.fill = i % 2 == 1;
        added << square;
        added << annotation(ToolKind::Arrow, at + QPoint(600, 600), at + QPoint(100, 300), color,
                            i == 4 ? 1 : 0);
        DrawObject text = annotation(ToolKind::Text, at + QPoint(50, 700), at + QPoint(50, 700),
                                     color, i == 1 ? 1 : 0);
        text.text = QStringLiteral("Note %1\nsecond line of text").arg(i);
        added << text;
        for (const DrawObject &object : added)
            document.commitChange([&] { document.objects.append(object); });
    }
    const QRect blurs[] = {QRect(100, 100, 400, 300),   QRect(900, 400, 600, 200),
                           QRect(2000, 300, 300, 300),  QRect(1200, 1200, 800, 400),
                           QRect(3000, 1500, 250, 150), QRect(2600, 800, 500, 500)};
    for (const QRect &rect : blurs) {
        const DrawObject blur =
            annotation(ToolKind::Blur, rect.topLeft(),
                       rect.topLeft() + QPoint(rect.width(), rect.height()), QColor());
        document.commitChange([&] { document.objects.append(blur); });
    }
}

double medianMs(const std::function<void()> &work)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The scene painted as renderResult paints it, with nothing kept between paints: every blur
// recomposes the pictures and every text grows its halo afresh.
void paintNaively(QPixmap &target, const EditorDocument &document)
{
    const PaintContext context{
        document.objects, document.pictures, document.visibleCount(), target.size(), 7, nullptr};
    target.fill(Qt::white);
    QPainter painter(&target);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    paintScene(painter, context, document.editState);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    EditorDocument document;
    fillDocument(document);
    QPixmap naive(Width, Height);

    MainEditor canvas;
    canvas.attachDocument(&document);
    canvas.setFixedSize(document.contentSize());

    QImage shared(Width, Height, QImage::Format_ARGB32_Premultiplied);
    const auto paintCanvas = [&] { canvas.render(&shared, QPoint(), QRegion(), {}); };

    // Two pixmaps with the same pixels: swapping them looks like a changed picture to the cache.
    QPixmap twin = QPixmap::fromImage(document.pictures.first().toImage());
    const double changedMs = medianMs([&] {
        std::swap(document.pictures.first(), twin);
        paintCanvas();
    });
    const double naiveMs = medianMs([&] { paintNaively(naive, document); });
    const double sharedMs = medianMs(paintCanvas);
    QPixmap result;
    const double resultMs = medianMs([&] { result = canvas.renderResult(); });

    paintNaively(naive, document);
    paintCanvas();
    const QImage expected = naive.toImage();
    const bool identical =
        result.toImage() == expected && shared.convertToFormat(expected.format()) == expected;

    std::printf("bench_canvas: %dx%d, 1 picture, 20 annotations, 6 blurs, median of %d runs\n",
                Width, Height, Runs);
    std::printf("  naive paint (nothing kept between paints):     %7.2f ms\n", naiveMs);
    std::printf("  canvas paint (composite, blurs, halos kept):   %7.2f ms\n", sharedMs);
    std::printf("  canvas paint after a picture change:           %7.2f ms\n", changedMs);
    std::printf("  renderResult:                                  %7.2f ms\n", resultMs);
    std::printf("  speed-up over naive: %.1fx; same pixels: %s\n", naiveMs / sharedMs,
                identical ? "yes" : "NO");
    return identical ? 0 : 1;
}
