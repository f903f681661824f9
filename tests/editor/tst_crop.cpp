#include "crop.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

DrawObject placed(ToolKind kind, QRect rect, int pictureIndex = -1)
{
    DrawObject object;
    object.kind = kind;
    object.pictureIndex = pictureIndex;
    object.color = Qt::red;
    object.setPoints(rect.left(), rect.top(), rect.left() + rect.width(),
                     rect.top() + rect.height());
    object.normalize(0, 0);
    return object;
}

// Every pixel tells where it came from: red is x, green is y (below 256).
QPixmap coordinatePixmap(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    }
    return QPixmap::fromImage(image);
}

} // namespace

class TestCrop : public QObject
{
    Q_OBJECT

private slots:
    void areaLeavesTheEndPointOut_data()
    {
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("forward") << QPoint(10, 10) << QPoint(50, 40) << QRect(10, 10, 40, 30);
        QTest::newRow("backward") << QPoint(50, 40) << QPoint(10, 10) << QRect(10, 10, 40, 30);
        QTest::newRow("no width") << QPoint(10, 10) << QPoint(10, 40) << QRect();
    }
    void areaLeavesTheEndPointOut()
    {
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        QFETCH(QRect, expected);
        const QRect area = Crop::cropArea(p1, p2);
        QCOMPARE(area.isEmpty(), expected.isEmpty());
        if (!expected.isEmpty())
            QCOMPARE(area, expected);
    }

    void sourceRectKeepsPartlyCoveredPixels_data()
    {
        QTest::addColumn<QSize>("pixmap");
        QTest::addColumn<QRect>("shown");
        QTest::addColumn<QRect>("part");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("whole, enlarged") << QSize(100, 50) << QRect(50, 50, 200, 100)
                                         << QRect(50, 50, 200, 100) << QRect(0, 0, 100, 50);
        QTest::newRow("half pixels, enlarged") << QSize(100, 50) << QRect(50, 50, 200, 100)
                                               << QRect(51, 51, 2, 2) << QRect(0, 0, 2, 2);
        QTest::newRow("shrunk") << QSize(100, 100) << QRect(0, 0, 50, 50) << QRect(10, 10, 5, 5)
                                << QRect(20, 20, 10, 10);
        QTest::newRow("uneven scale")
            << QSize(30, 30) << QRect(0, 0, 20, 20) << QRect(5, 5, 3, 3) << QRect(7, 7, 5, 5);
    }
    void sourceRectKeepsPartlyCoveredPixels()
    {
        QFETCH(QSize, pixmap);
        QFETCH(QRect, shown);
        QFETCH(QRect, part);
        QFETCH(QRect, expected);
        QCOMPARE(Crop::pictureSourceRect(pixmap, shown, part), expected);
    }

    void cropSplitsPicturesAndMovesAnnotations()
    {
        QList<QPixmap> pictures{coordinatePixmap(400, 300), coordinatePixmap(100, 50),
                                coordinatePixmap(20, 20)};
        const QList<DrawObject> objects{
            placed(ToolKind::Picture, QRect(0, 0, 400, 300), 0),
            placed(ToolKind::Picture, QRect(300, 250, 100, 50), 1),
            placed(ToolKind::Picture, QRect(0, 0, 20, 20), 2),
            placed(ToolKind::Line, QRect(260, 210, 20, 20)),
            placed(ToolKind::Square, QRect(200, 190, 100, 40)),
            placed(ToolKind::Arrow, QRect(10, 10, 30, 30)),
        };
        const QRect area(250, 200, 100, 80);

        const QList<DrawObject> cropped = Crop::croppedObjects(objects, pictures, area);

        QCOMPARE(cropped.size(), 4);
        QCOMPARE(pictures.size(), 5);

        const DrawObject &base = cropped.at(0);
        QCOMPARE(base.pictureIndex, 3);
        QCOMPARE(base.bounds.rect(), QRect(0, 0, 100, 80));
        const QImage baseImage = pictures.at(3).toImage();
        QCOMPARE(baseImage.size(), QSize(100, 80));
        QCOMPARE(baseImage.pixel(0, 0), qRgb(250, 200, 0));

        const DrawObject &added = cropped.at(1);
        QCOMPARE(added.pictureIndex, 4);
        QCOMPARE(added.bounds.rect(), QRect(50, 50, 50, 30));
        const QImage addedImage = pictures.at(4).toImage();
        QCOMPARE(addedImage.size(), QSize(50, 30));
        QCOMPARE(addedImage.pixel(49, 29), qRgb(49, 29, 0));

        QCOMPARE(cropped.at(2).kind, ToolKind::Line);
        QCOMPARE(cropped.at(2).p1, QPoint(10, 10));
        QCOMPARE(cropped.at(2).p2, QPoint(30, 30));
        // The square reached above and left of the area: it is held at the edge.
        QCOMPARE(cropped.at(3).kind, ToolKind::Square);
        QCOMPARE(cropped.at(3).bounds.rect(), QRect(0, 0, 50, 30));
    }

    void baseLeavesWhiteWhereItDidNotReach()
    {
        QList<QPixmap> pictures{coordinatePixmap(100, 100)};
        const QList<DrawObject> objects{placed(ToolKind::Picture, QRect(0, 0, 100, 100), 0)};
        const QList<DrawObject> cropped =
            Crop::croppedObjects(objects, pictures, QRect(50, 50, 100, 100));
        const QImage image = pictures.at(cropped.at(0).pictureIndex).toImage();
        QCOMPARE(image.size(), QSize(100, 100));
        QCOMPARE(image.pixel(49, 49), qRgb(99, 99, 0));
        QCOMPARE(image.pixel(50, 50), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestCrop)
#include "tst_crop.moc"
