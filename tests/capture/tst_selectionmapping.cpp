#include "selectionmapping.h"

#include <QTest>

using Screens = QList<ScreenPlacement>;
using Rects = QList<QRect>;

class SelectionMapping : public QObject
{
    Q_OBJECT

private slots:
    // Screens are given as Qt reports them: a monitor's top-left corner in device pixels, its
    // size in logical pixels.
    void layoutFollowsTheMonitorsInDevicePixels_data()
    {
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QRect>("device");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<Rects>("areas");

        QTest::newRow("one monitor")
            << Screens{{QRect(0, 0, 1920, 1080), 1.0}} << 0 << QRect(0, 0, 1920, 1080) << QPoint()
            << Rects{QRect(0, 0, 1920, 1080)};
        QTest::newRow("primary on the right")
            << Screens{{QRect(0, 0, 1920, 1080), 1.0}, {QRect(1920, 0, 1280, 1024), 1.0}} << 1
            << QRect(0, 0, 3200, 1080) << QPoint(0, 0)
            << Rects{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QTest::newRow("primary in the middle of three, below the others' top")
            << Screens{{QRect(0, 100, 1280, 1024), 1.0},
                       {QRect(1280, 200, 1920, 1080), 1.0},
                       {QRect(3200, 0, 1024, 768), 1.0}}
            << 1 << QRect(0, 0, 4224, 1280) << QPoint(0, 0)
            << Rects{QRect(0, 100, 1280, 1024), QRect(1280, 200, 1920, 1080),
                     QRect(3200, 0, 1024, 768)};
        QTest::newRow("monitor left of the origin")
            << Screens{{QRect(0, 0, 1920, 1080), 1.0}, {QRect(-1920, 0, 1920, 1080), 1.0}} << 0
            << QRect(-1920, 0, 3840, 1080) << QPoint(-1920, 0)
            << Rects{QRect(1920, 0, 1920, 1080), QRect(0, 0, 1920, 1080)};
        QTest::newRow("no monitor at the origin")
            << Screens{{QRect(100, 50, 800, 600), 1.0}} << 0 << QRect(100, 50, 800, 600)
            << QPoint(100, 50) << Rects{QRect(0, 0, 800, 600)};

        // The selector is given in the coordinates of the monitor holding its centre.
        QTest::newRow("2x, one monitor")
            << Screens{{QRect(0, 0, 960, 540), 2.0}} << 0 << QRect(0, 0, 1920, 1080) << QPoint()
            << Rects{QRect(0, 0, 1920, 1080)};
        QTest::newRow("1.5x, primary on the right")
            << Screens{{QRect(0, 0, 1280, 720), 1.5}, {QRect(1920, 0, 1280, 720), 1.5}} << 1
            << QRect(0, 0, 3840, 1080) << QPoint(0, 0)
            << Rects{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)};
        QTest::newRow("2x, primary on the right and wider")
            << Screens{{QRect(0, 0, 640, 512), 2.0}, {QRect(1280, 0, 960, 540), 2.0}} << 1
            << QRect(0, 0, 3200, 1080) << QPoint(640, 0)
            << Rects{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
        QTest::newRow("2x, three monitors: centre on the middle one")
            << Screens{{QRect(0, 0, 960, 540), 2.0},
                       {QRect(1920, 0, 960, 540), 2.0},
                       {QRect(3840, 0, 960, 540), 2.0}}
            << 0 << QRect(0, 0, 5760, 1080) << QPoint(960, 0)
            << Rects{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080),
                     QRect(3840, 0, 1920, 1080)};
        QTest::newRow("1.25x, sizes rounded")
            << Screens{{QRect(0, 0, 1093, 614), 1.25}, {QRect(1366, 0, 1536, 864), 1.25}} << 1
            << QRect(0, 0, 3286, 1080) << QPoint(273, 0)
            << Rects{QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)};
    }

    void layoutFollowsTheMonitorsInDevicePixels()
    {
        QFETCH(Screens, screens);
        QFETCH(int, primary);
        QFETCH(QRect, device);
        QFETCH(QPoint, origin);
        QFETCH(Rects, areas);

        const DesktopLayout layout(screens, primary);
        QCOMPARE(layout.deviceGeometry(), device);
        QCOMPARE(layout.origin(), origin);
        QCOMPARE(layout.ratio(), screens.at(primary).ratio);
        for (int index = 0; index < screens.size(); ++index)
            QCOMPARE(layout.imageArea(index), areas.at(index));
    }

    void pointerMapsToTheImagePixelOfItsMonitor_data()
    {
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("pixel");

        const Screens primaryRight{{QRect(0, 0, 1920, 1080), 1.0},
                                   {QRect(1920, 0, 1280, 1024), 1.0}};
        QTest::newRow("left monitor") << primaryRight << QPoint(100, 50) << QPoint(100, 50);
        QTest::newRow("right monitor") << primaryRight << QPoint(2000, 50) << QPoint(2000, 50);
        const Screens scaled{{QRect(0, 0, 1280, 720), 1.5}, {QRect(1920, 0, 1280, 720), 1.5}};
        QTest::newRow("1.5x, left monitor") << scaled << QPoint(101, 51) << QPoint(152, 77);
        QTest::newRow("1.5x, right monitor") << scaled << QPoint(2020, 50) << QPoint(2070, 75);
        QTest::newRow("left of the origin")
            << Screens{{QRect(0, 0, 1920, 1080), 1.0}, {QRect(-1920, 0, 1920, 1080), 1.0}}
            << QPoint(-1900, 10) << QPoint(20, 10);
    }

    void pointerMapsToTheImagePixelOfItsMonitor()
    {
        QFETCH(Screens, screens);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, pixel);
        QCOMPARE(DesktopLayout(screens, 0).imagePixel(pointer), pixel);
    }

    void pointerInTheOverlayFollowsTheDevicePixels()
    {
        // 1.5x, primary on the right: the selector's corner (427, 0) in the right monitor's
        // coordinates also lies inside the left monitor's logical rectangle.
        const DesktopLayout ambiguous(
            {{QRect(0, 0, 853, 683), 1.5}, {QRect(1280, 0, 1280, 720), 1.5}}, 1);
        QCOMPARE(ambiguous.origin(), QPoint(427, 0));
        QCOMPARE(ambiguous.overlayPoint(QPoint(2093, 200), ambiguous.origin()), QPoint(1667, 200));
        QCOMPARE(ambiguous.overlayPoint(QPoint(100, 100), ambiguous.origin()), QPoint(100, 100));

        const DesktopLayout single({{QRect(0, 0, 800, 600), 1.0}}, 0);
        QCOMPARE(single.overlayPoint(QPoint(50, 150), QPoint(0, 0)), QPoint(50, 150));
        QCOMPARE(single.overlayPoint(QPoint(50, 150), QPoint(-200, 0)), QPoint(250, 150));
    }

    void cropIsTheFramedRegionInImagePixels_data()
    {
        QTest::addColumn<QRect>("overlay");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::addColumn<QRect>("crop");

        const QRect single(0, 0, 1920, 1080);
        // Both corner pixels belong to the selection, whichever way it was dragged.
        const QRect framed(100, 100, 301, 201);
        const QPoint a(100, 100), b(400, 300);
        QTest::newRow("down-right") << single << 1.0 << a << b << framed;
        QTest::newRow("up-left") << single << 1.0 << b << a << framed;
        QTest::newRow("down-left")
            << single << 1.0 << QPoint(400, 100) << QPoint(100, 300) << framed;
        QTest::newRow("up-right") << single << 1.0 << QPoint(100, 300) << QPoint(400, 100)
                                  << framed;
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
        QTest::newRow("primary on the right: selection on the left monitor")
            << QRect(0, 0, 3200, 1080) << 1.0 << QPoint(300, 700) << QPoint(100, 500)
            << QRect(100, 500, 201, 201);

        QTest::newRow("2x image") << QRect(0, 0, 1280, 720) << 2.0 << QPoint(100, 100)
                                  << QPoint(200, 150) << QRect(200, 200, 202, 102);
        QTest::newRow("2x image, up-left") << QRect(0, 0, 1280, 720) << 2.0 << QPoint(200, 150)
                                           << QPoint(100, 100) << QRect(200, 200, 202, 102);
        QTest::newRow("2x image, left monitor")
            << QRect(-1280, 0, 2560, 720) << 2.0 << QPoint(-1200, 10) << QPoint(-1100, 60)
            << QRect(160, 20, 202, 102);
        QTest::newRow("1.5x rounds halves away from zero")
            << QRect(0, 0, 1000, 1000) << 1.5 << QPoint(11, 11) << QPoint(31, 31)
            << QRect(17, 17, 32, 32);
        QTest::newRow("1.5x, down-left") << QRect(0, 0, 1000, 1000) << 1.5 << QPoint(31, 11)
                                         << QPoint(11, 31) << QRect(17, 17, 32, 32);
        QTest::newRow("1.5x, desktop not at the origin")
            << QRect(640, 0, 2560, 720) << 1.5 << QPoint(2640, 300) << QPoint(2440, 100)
            << QRect(2700, 150, 302, 302);
        QTest::newRow("1.25x, clipped to the image")
            << QRect(0, 0, 1093, 614) << 1.25 << QPoint(1000, 500) << QPoint(1100, 620)
            << QRect(1250, 625, 116, 143);

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
        QFETCH(QRect, overlay);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        QFETCH(QRect, crop);
        const QSize imagePixels(qRound(overlay.width() * ratio), qRound(overlay.height() * ratio));
        QCOMPARE(cropRectangle(p1, p2, overlay.topLeft(), imagePixels, ratio), crop);
    }

    void overlayStartsAtTheDesktopOrigin()
    {
        const DesktopLayout leftOfOrigin(
            {{QRect(0, 0, 1920, 1280), 1.0}, {QRect(-1920, -200, 1920, 1080), 1.0}}, 0);
        QCOMPARE(overlayGeometry(leftOfOrigin, QSizeF(3840, 1480)), QRect(-1920, -200, 3840, 1480));
        const DesktopLayout scaled({{QRect(0, 0, 1281, 721), 1.5}}, 0);
        QCOMPARE(overlayGeometry(scaled, QSizeF(1280.5, 720.4)), QRect(0, 0, 1281, 720));
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
