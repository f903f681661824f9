#include "grabdesktop.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace {

const QRgb CursorColor = qRgb(250, 10, 20);

QPixmap solid(const QSize &size, QRgb color)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(color));
    return pixmap;
}

// The bounding box of the pixels of `color`, in image pixels.
QRect areaOf(const QImage &image, QRgb color)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & RGB_MASK) == (color & RGB_MASK))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class GrabDesktop : public QObject
{
    Q_OBJECT

private slots:
    void cursorHotSpotLandsOnThePointerInImagePixels_data()
    {
        QTest::addColumn<QSize>("desktop");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("cursorSize");
        QTest::addColumn<QPoint>("hotSpot");
        QTest::addColumn<QPoint>("pointerPixel");
        QTest::addColumn<QRect>("drawn");

        QTest::newRow("1x") << QSize(200, 100) << 1.0 << QSize(8, 10) << QPoint(2, 3)
                            << QPoint(50, 40) << QRect(48, 37, 8, 10);
        QTest::newRow("2x doubles picture and hot spot")
            << QSize(200, 100) << 2.0 << QSize(8, 10) << QPoint(2, 3) << QPoint(100, 80)
            << QRect(96, 74, 16, 20);
        QTest::newRow("1.5x rounds halves away from zero")
            << QSize(100, 100) << 1.5 << QSize(5, 5) << QPoint(1, 1) << QPoint(17, 17)
            << QRect(15, 15, 8, 8);
        QTest::newRow("cut at the right edge")
            << QSize(200, 100) << 1.0 << QSize(8, 10) << QPoint(0, 0) << QPoint(196, 95)
            << QRect(196, 95, 4, 5);
        QTest::newRow("pointer outside the desktop")
            << QSize(200, 100) << 1.0 << QSize(8, 10) << QPoint(0, 0) << QPoint(200, 50) << QRect();
    }

    void cursorHotSpotLandsOnThePointerInImagePixels()
    {
        QFETCH(QSize, desktop);
        QFETCH(qreal, ratio);
        QFETCH(QSize, cursorSize);
        QFETCH(QPoint, hotSpot);
        QFETCH(QPoint, pointerPixel);
        QFETCH(QRect, drawn);

        QPixmap image = solid(desktop * ratio, qRgb(255, 255, 255));
        image.setDevicePixelRatio(ratio);
        drawCursor(image, {solid(cursorSize, CursorColor), hotSpot}, pointerPixel);

        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(image.size(), desktop * ratio);
        QCOMPARE(areaOf(image.toImage(), CursorColor), drawn);
    }

    void grabHoldsTheScreenAndTheCursorAtThePointer()
    {
        QWidget window;
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(QColor(20, 200, 90)));
        window.setGeometry(100, 120, 240, 160);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QPoint pointer(600, 500);
        QCursor::setPos(pointer);
        QTRY_COMPARE(QCursor::pos(), pointer);

        QPixmap desktop;
        // The server paints the window's first frame asynchronously.
        QTRY_VERIFY_WITH_TIMEOUT(
            (desktop = grabDesktop([] {
                 return CapturedCursor{solid(QSize(6, 6), CursorColor), QPoint(3, 3)};
             }))
                    .toImage()
                    .pixel(220, 200) == qRgb(20, 200, 90),
            2000);

        const QScreen *primary = QGuiApplication::primaryScreen();
        QCOMPARE(desktop.deviceIndependentSize(), QSizeF(primary->virtualGeometry().size()));
        QCOMPARE(desktop.devicePixelRatio(), primary->devicePixelRatio());
        const QImage image = desktop.toImage();
        QCOMPARE(areaOf(image, qRgb(20, 200, 90)), QRect(100, 120, 240, 160));
        QCOMPARE(areaOf(image, CursorColor), QRect(597, 497, 6, 6));

        QCOMPARE(grabDesktop().size(), desktop.size());
    }
};

QTEST_MAIN(GrabDesktop)
#include "tst_grabdesktop.moc"
