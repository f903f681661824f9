#include "selectionmapping.h"

#include <QTest>

class SelectionMapping : public QObject
{
    Q_OBJECT

private slots:
    void cropIsTheFramedRegionInImagePixels_data()
    {
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::addColumn<QRect>("crop");

        const QRect single(0, 0, 1920, 1080);
        // The loupe shows |p2 - p1 + 1| per axis; the undimmed rectangle has the same size.
        QTest::newRow("origin at (0, 0)")
            << single << 1.0 << QPoint(100, 200) << QPoint(400, 500) << QRect(100, 200, 301, 301);
        QTest::newRow("drag up-left")
            << single << 1.0 << QPoint(400, 500) << QPoint(100, 200) << QRect(101, 201, 299, 299);
        QTest::newRow("release past the edge") << single << 1.0 << QPoint(1800, 900)
                                               << QPoint(2000, 1200) << QRect(1800, 900, 120, 180);

        const QRect leftMonitor(-1920, 0, 3840, 1080);
        QTest::newRow("left monitor: selection on the primary")
            << leftMonitor << 1.0 << QPoint(100, 100) << QPoint(300, 300)
            << QRect(2020, 100, 201, 201);
        QTest::newRow("left monitor: selection on the left one")
            << leftMonitor << 1.0 << QPoint(-1800, 50) << QPoint(-1500, 250)
            << QRect(120, 50, 301, 201);
        QTest::newRow("left monitor: across both") << leftMonitor << 1.0 << QPoint(-100, 10)
                                                   << QPoint(99, 109) << QRect(1820, 10, 200, 100);
        QTest::newRow("monitor above") << QRect(0, -1080, 1920, 2160) << 1.0 << QPoint(10, -1000)
                                       << QPoint(59, 20) << QRect(10, 80, 50, 1021);

        QTest::newRow("2x image") << QRect(0, 0, 1280, 720) << 2.0 << QPoint(100, 100)
                                  << QPoint(200, 150) << QRect(200, 200, 202, 102);
        QTest::newRow("2x image, left monitor")
            << QRect(-1280, 0, 2560, 720) << 2.0 << QPoint(-1200, 10) << QPoint(-1100, 60)
            << QRect(160, 20, 202, 102);
        QTest::newRow("1.5x rounds halves away from zero")
            << QRect(0, 0, 1000, 1000) << 1.5 << QPoint(11, 11) << QPoint(31, 31)
            << QRect(17, 17, 32, 32);

        QTest::newRow("click keeps the whole desktop")
            << single << 1.0 << QPoint(500, 500) << QPoint(500, 500) << QRect(0, 0, 1920, 1080);
        QTest::newRow("10 x 200 keeps the whole desktop")
            << single << 1.0 << QPoint(500, 300) << QPoint(510, 500) << QRect(0, 0, 1920, 1080);
        QTest::newRow("200 x 10 upwards keeps the whole desktop")
            << single << 1.0 << QPoint(700, 500) << QPoint(500, 490) << QRect(0, 0, 1920, 1080);
        QTest::newRow("11 x 11 is cropped")
            << single << 1.0 << QPoint(500, 500) << QPoint(511, 511) << QRect(500, 500, 12, 12);
        QTest::newRow("2x click keeps the whole desktop")
            << QRect(-1280, 0, 2560, 720) << 2.0 << QPoint(-5, 5) << QPoint(-5, 5)
            << QRect(0, 0, 5120, 1440);
    }

    void cropIsTheFramedRegionInImagePixels()
    {
        QFETCH(QRect, desktop);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        QFETCH(QRect, crop);
        QCOMPARE(cropRectangle(p1, p2, desktop, ratio), crop);
    }

    void overlayCoversTheVirtualDesktop()
    {
        QCOMPARE(overlayGeometry(QRect(-1920, -200, 3840, 1280), QSizeF(3840, 1280)),
                 QRect(-1920, -200, 3840, 1280));
        QCOMPARE(overlayGeometry(QRect(0, 0, 1281, 721), QSizeF(1280.5, 720.4)),
                 QRect(0, 0, 1281, 720));
    }

    void onlyTheMinusOnePairIsACancel()
    {
        QVERIFY(isCancelledSelection(QPoint(-1, -1), QPoint(-1, -1)));
        QVERIFY(!isCancelledSelection(QPoint(-1, -1), QPoint(-1, 0)));
        QVERIFY(!isCancelledSelection(QPoint(0, 0), QPoint(0, 0)));
    }
};

QTEST_GUILESS_MAIN(SelectionMapping)
#include "tst_selectionmapping.moc"
