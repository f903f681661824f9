#include "inputgeometry.h"

#include <QTest>

namespace {

DrawBounds boundsOf(QRect rect)
{
    DrawObject object;
    object.setPoints(rect.left(), rect.top(), rect.left() + rect.width(),
                     rect.top() + rect.height());
    object.normalize(0, 0);
    return object.bounds;
}

} // namespace

class TestInputGeometry : public QObject
{
    Q_OBJECT

private slots:
    void canvasPositionAddsScrollAndRemovesCentring_data()
    {
        QTest::addColumn<QPointF>("viewport");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QPoint>("canvasOffset");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("scrolled") << QPointF(10.4, 20.6) << QPoint(300, 200) << QPoint(-300, -200)
                                  << QPoint(310, 221);
        QTest::newRow("centred") << QPointF(150, 120) << QPoint(0, 0) << QPoint(100, 50)
                                 << QPoint(50, 70);
        QTest::newRow("centred across, scrolled down")
            << QPointF(150, 120) << QPoint(0, 40) << QPoint(100, -40) << QPoint(50, 160);
    }
    void canvasPositionAddsScrollAndRemovesCentring()
    {
        QFETCH(QPointF, viewport);
        QFETCH(QPoint, scroll);
        QFETCH(QPoint, canvasOffset);
        QFETCH(QPoint, expected);
        QCOMPARE(InputGeometry::canvasPosition(viewport, scroll, canvasOffset), expected);
    }

    void shiftAlignsToTheNearerAxis_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("wider") << QPoint(130, 120) << QPoint(130, 100);
        QTest::newRow("taller") << QPoint(110, 140) << QPoint(100, 140);
        QTest::newRow("diagonal is horizontal") << QPoint(70, 130) << QPoint(70, 100);
    }
    void shiftAlignsToTheNearerAxis()
    {
        QFETCH(QPoint, to);
        QFETCH(QPoint, expected);
        QCOMPARE(InputGeometry::shiftAligned(QPoint(100, 100), to), expected);
    }

    // A 100 × 50 picture at (100, 100): aspect 2.
    void pictureCornerKeepsAspectWithTenPixelFloor_data()
    {
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("bottom-right, wide pull")
            << 2 << QPoint(300, 160) << QRect(100, 100, 200, 100);
        QTest::newRow("bottom-right, tall pull")
            << 2 << QPoint(250, 300) << QRect(100, 100, 400, 200);
        QTest::newRow("derived height floored") << 2 << QPoint(115, 103) << QRect(100, 100, 15, 10);
        QTest::newRow("top-left, bottom-right fixed")
            << 1 << QPoint(0, 90) << QRect(0, 50, 200, 100);
        QTest::newRow("top-right, bottom-left fixed")
            << 3 << QPoint(160, 50) << QRect(100, 50, 200, 100);
        QTest::newRow("bottom-left, top-right fixed")
            << 4 << QPoint(150, 125) << QRect(150, 100, 50, 25);
        QTest::newRow("crossing the fixed corner")
            << 2 << QPoint(60, 120) << QRect(60, 100, 40, 20);
        QTest::newRow("within 9 pixels") << 2 << QPoint(109, 91) << QRect();
    }
    void pictureCornerKeepsAspectWithTenPixelFloor()
    {
        QFETCH(int, handle);
        QFETCH(QPoint, pointer);
        QFETCH(QRect, expected);
        const auto resized =
            InputGeometry::resizedPicture(boundsOf(QRect(100, 100, 100, 50)), handle, pointer);
        QCOMPARE(resized.value_or(QRect()), expected);
    }

    void tallPictureFloorsItsDerivedWidth()
    {
        // 20 × 100, aspect 0.2: a pull to 30 pixels down would give a width of 6.
        const auto resized =
            InputGeometry::resizedPicture(boundsOf(QRect(0, 0, 20, 100)), 2, QPoint(3, 30));
        QCOMPARE(resized.value_or(QRect()), QRect(0, 0, 10, 30));
    }
};

QTEST_APPLESS_MAIN(TestInputGeometry)
#include "tst_inputgeometry.moc"
