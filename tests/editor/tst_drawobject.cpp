#include "drawobject.h"
#include "textmetrics.h"

#include <QFontMetrics>
#include <QTest>

Q_DECLARE_METATYPE(DrawBounds)
Q_DECLARE_METATYPE(ToolKind)

namespace {

DrawObject objectOf(ToolKind kind, QPoint p1, QPoint p2)
{
    DrawObject object;
    object.kind = kind;
    object.p1 = p1;
    object.p2 = p2;
    object.normalize(0, 0);
    return object;
}

DrawBounds boundsOf(int left, int top, int right, int bottom)
{
    return DrawBounds{left, top, right, bottom, right - left, bottom - top};
}

} // namespace

class TestDrawObject : public QObject
{
    Q_OBJECT

private slots:
    void freshObjectHoldsTheInitialValues();
    void normalizeOrdersAndClamps_data();
    void normalizeOrdersAndClamps();
    void moveByKeepsObjectsOnTheCanvas_data();
    void moveByKeepsObjectsOnTheCanvas();
    void setHandleMovesTheGrabbedCorner_data();
    void setHandleMovesTheGrabbedCorner();
    void nudgesStopAtTheCanvasEdges();
    void hitTestFindsHandlesAndBodies_data();
    void hitTestFindsHandlesAndBodies();
    void textBodyFollowsTheFontMetrics();
    void layerOfSortsKindsAndEmphasis_data();
    void layerOfSortsKindsAndEmphasis();
};

void TestDrawObject::freshObjectHoldsTheInitialValues()
{
    const DrawObject o;
    QCOMPARE(o.kind, ToolKind::None);
    QCOMPARE(o.size, 6);
    QVERIFY(!o.color.isValid());
    QCOMPARE(o.opacity, 1.0f);
    QCOMPARE(o.caret, -1);
    QCOMPARE(o.step, 5);
    QCOMPARE(o.emphasis, 0);
    QVERIFY(!o.live && !o.selected && !o.fill && !o.renderToTarget && !o.renderTarget);
    QCOMPARE(int(ToolKind::Crop), 1);
    QCOMPARE(int(ToolKind::Line), 3);
    QCOMPARE(int(ToolKind::Blur), 7);
    QCOMPARE(int(ToolKind::Picture), 10);
}

void TestDrawObject::normalizeOrdersAndClamps_data()
{
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<QSize>("limits");
    QTest::addColumn<DrawBounds>("bounds");
    QTest::addColumn<QPoint>("newP1");
    QTest::addColumn<QPoint>("newP2");

    QTest::newRow("reversed, no limits")
        << QPoint(90, 70) << QPoint(10, 20) << QSize(0, 0) << boundsOf(10, 20, 90, 70)
        << QPoint(90, 70) << QPoint(10, 20);
    QTest::newRow("negative raised to zero")
        << QPoint(-5, -3) << QPoint(40, 30) << QSize(0, 0) << boundsOf(0, 0, 40, 30) << QPoint(0, 0)
        << QPoint(40, 30);
    QTest::newRow("beyond the limits")
        << QPoint(50, 60) << QPoint(120, 95) << QSize(100, 80) << boundsOf(50, 60, 100, 80)
        << QPoint(50, 60) << QPoint(100, 80);
    QTest::newRow("only the width limited")
        << QPoint(150, 500) << QPoint(20, 10) << QSize(100, 0) << boundsOf(20, 10, 100, 500)
        << QPoint(100, 500) << QPoint(20, 10);
}

void TestDrawObject::normalizeOrdersAndClamps()
{
    QFETCH(QPoint, p1);
    QFETCH(QPoint, p2);
    QFETCH(QSize, limits);
    QFETCH(DrawBounds, bounds);
    QFETCH(QPoint, newP1);
    QFETCH(QPoint, newP2);

    DrawObject o;
    o.setPoints(p1.x(), p1.y(), p2.x(), p2.y());
    o.normalize(limits.width(), limits.height());
    QVERIFY(o.bounds == bounds);
    QCOMPARE(o.p1, newP1);
    QCOMPARE(o.p2, newP2);
}

void TestDrawObject::moveByKeepsObjectsOnTheCanvas_data()
{
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("newP1");

    // The object spans (3, 2)-(53, 42); moveBy moves it against the delta.
    QTest::newRow("picture stops at the origin")
        << ToolKind::Picture << QPoint(10, 10) << QPoint(0, 0);
    QTest::newRow("picture slides along the top")
        << ToolKind::Picture << QPoint(-20, 10) << QPoint(23, 0);
    QTest::newRow("arrow that would go negative stays")
        << ToolKind::Arrow << QPoint(4, 0) << QPoint(3, 2);
    QTest::newRow("arrow may reach zero") << ToolKind::Arrow << QPoint(3, 2) << QPoint(0, 0);
    QTest::newRow("square moves away from the edge")
        << ToolKind::Square << QPoint(-10, -5) << QPoint(13, 7);
}

void TestDrawObject::moveByKeepsObjectsOnTheCanvas()
{
    QFETCH(ToolKind, kind);
    QFETCH(QPoint, delta);
    QFETCH(QPoint, newP1);

    DrawObject o = objectOf(kind, QPoint(3, 2), QPoint(53, 42));
    o.moveBy(delta.x(), delta.y());
    const QPoint shift = newP1 - QPoint(3, 2);
    QCOMPARE(o.p1, newP1);
    QCOMPARE(o.p2, QPoint(53, 42) + shift);
    QVERIFY(o.bounds == boundsOf(newP1.x(), newP1.y(), 53 + shift.x(), 42 + shift.y()));
}

void TestDrawObject::setHandleMovesTheGrabbedCorner_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<QPoint>("newP1");
    QTest::addColumn<QPoint>("newP2");

    QTest::newRow("1 moves p1") << 1 << QPoint(5, 6) << QPoint(50, 40);
    QTest::newRow("2 moves p2") << 2 << QPoint(10, 20) << QPoint(5, 6);
    QTest::newRow("3: x of p2, y of p1") << 3 << QPoint(10, 6) << QPoint(5, 40);
    QTest::newRow("4: x of p1, y of p2") << 4 << QPoint(5, 20) << QPoint(50, 6);
}

void TestDrawObject::setHandleMovesTheGrabbedCorner()
{
    QFETCH(int, handle);
    QFETCH(QPoint, newP1);
    QFETCH(QPoint, newP2);

    DrawObject o;
    o.setPoints(10, 20, 50, 40);
    o.setHandle(handle, 5, 6);
    QCOMPARE(o.p1, newP1);
    QCOMPARE(o.p2, newP2);
}

void TestDrawObject::nudgesStopAtTheCanvasEdges()
{
    const QSize canvas(100, 80);
    DrawObject atTopLeft = objectOf(ToolKind::Square, QPoint(0, 0), QPoint(30, 30));
    QVERIFY(!atTopLeft.nudgeLeft());
    QVERIFY(!atTopLeft.nudgeUp());
    QVERIFY(atTopLeft.nudgeRight(canvas.width()));
    QVERIFY(atTopLeft.nudgeDown(canvas.height()));
    QCOMPARE(atTopLeft.p1, QPoint(5, 5));
    QVERIFY(atTopLeft.bounds == boundsOf(5, 5, 35, 35));

    DrawObject atBottomRight = objectOf(ToolKind::Line, QPoint(70, 50), QPoint(100, 80));
    QVERIFY(!atBottomRight.nudgeRight(canvas.width()));
    QVERIFY(!atBottomRight.nudgeDown(canvas.height()));
    atBottomRight.step = 3;
    QVERIFY(atBottomRight.nudgeLeft());
    QVERIFY(atBottomRight.nudgeUp());
    QCOMPARE(atBottomRight.p2, QPoint(97, 77));
    QVERIFY(atBottomRight.bounds == boundsOf(67, 47, 97, 77));
}

void TestDrawObject::hitTestFindsHandlesAndBodies_data()
{
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<int>("expected");

    const QPoint tl(10, 10), br(110, 60);
    for (ToolKind kind : {ToolKind::Picture, ToolKind::Square, ToolKind::Blur}) {
        const QByteArray name = QByteArray::number(int(kind));
        QTest::newRow(name + " handle 1") << kind << tl << br << QPoint(14, 14) << 1;
        QTest::newRow(name + " handle 2") << kind << tl << br << QPoint(110, 60) << 2;
        QTest::newRow(name + " handle 3") << kind << tl << br << QPoint(116, 10) << 3;
        QTest::newRow(name + " handle 4") << kind << tl << br << QPoint(10, 66) << 4;
        QTest::newRow(name + " 7 px is no handle") << kind << tl << br << QPoint(10, 3) << -1;
        QTest::newRow(name + " left edge is body") << kind << tl << br << QPoint(10, 35) << 0;
        QTest::newRow(name + " right edge is outside") << kind << tl << br << QPoint(110, 35) << -1;
        QTest::newRow(name + " bottom edge is outside") << kind << tl << br << QPoint(60, 60) << -1;
        QTest::newRow(name + " inside") << kind << tl << br << QPoint(109, 35) << 0;
    }
    for (ToolKind kind : {ToolKind::Line, ToolKind::Arrow}) {
        const QByteArray name = QByteArray::number(int(kind));
        QTest::newRow(name + " handle 1")
            << kind << QPoint(10, 10) << QPoint(100, 10) << QPoint(10, 16) << 1;
        QTest::newRow(name + " handle 2")
            << kind << QPoint(10, 10) << QPoint(100, 10) << QPoint(95, 12) << 2;
        QTest::newRow(name + " body within 10 px")
            << kind << QPoint(10, 10) << QPoint(100, 10) << QPoint(50, 19) << 0;
        QTest::newRow(name + " miss beyond 10 px")
            << kind << QPoint(10, 10) << QPoint(100, 10) << QPoint(50, 21) << -1;
        QTest::newRow(name + " beyond the end")
            << kind << QPoint(10, 10) << QPoint(100, 10) << QPoint(112, 10) << -1;
        // Parallel to the probing diagonal: the body cannot be hit, only the handles.
        QTest::newRow(name + " parallel body")
            << kind << QPoint(20, 20) << QPoint(80, 80) << QPoint(50, 50) << -1;
        QTest::newRow(name + " parallel handle 1")
            << kind << QPoint(20, 20) << QPoint(80, 80) << QPoint(24, 25) << 1;
        QTest::newRow(name + " parallel handle 2")
            << kind << QPoint(20, 20) << QPoint(80, 80) << QPoint(80, 86) << 2;
    }
    QTest::newRow("none is never hit") << ToolKind::None << tl << br << QPoint(50, 30) << -1;
}

void TestDrawObject::hitTestFindsHandlesAndBodies()
{
    QFETCH(ToolKind, kind);
    QFETCH(QPoint, p1);
    QFETCH(QPoint, p2);
    QFETCH(QPoint, probe);
    QFETCH(int, expected);

    QCOMPARE(objectOf(kind, p1, p2).hitTest(probe.x(), probe.y()), expected);
}

void TestDrawObject::textBodyFollowsTheFontMetrics()
{
    DrawObject text = objectOf(ToolKind::Text, QPoint(30, 40), QPoint(30, 40));
    text.size = 4;
    text.text = QStringLiteral("ab\nlonger line");
    const QFontMetrics metrics(textFont(4));
    const int width = metrics.horizontalAdvance(QStringLiteral("longer line"));
    const int height = 2 * metrics.height();
    QVERIFY(width > metrics.horizontalAdvance(QStringLiteral("ab")));

    QCOMPARE(text.hitTest(30, 40), 0);
    QCOMPARE(text.hitTest(30 + width - 1, 40 + height - 1), 0);
    QCOMPARE(text.hitTest(30 + width, 41), -1);
    QCOMPARE(text.hitTest(31, 40 + height), -1);
    QCOMPARE(text.hitTest(29, 41), -1);
}

void TestDrawObject::layerOfSortsKindsAndEmphasis_data()
{
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<int>("emphasis");
    QTest::addColumn<int>("layer");

    QTest::newRow("picture") << ToolKind::Picture << 0 << 0;
    QTest::newRow("blur") << ToolKind::Blur << 0 << 1;
    QTest::newRow("square") << ToolKind::Square << 0 << 1;
    QTest::newRow("emphasised square") << ToolKind::Square << 1 << 2;
    QTest::newRow("emphasised line") << ToolKind::Line << 1 << 2;
    QTest::newRow("emphasised arrow") << ToolKind::Arrow << 1 << 2;
    QTest::newRow("emphasised text") << ToolKind::Text << 1 << 2;
    QTest::newRow("line") << ToolKind::Line << 0 << 3;
    QTest::newRow("arrow") << ToolKind::Arrow << 0 << 3;
    QTest::newRow("text") << ToolKind::Text << 0 << 3;
}

void TestDrawObject::layerOfSortsKindsAndEmphasis()
{
    QFETCH(ToolKind, kind);
    QFETCH(int, emphasis);
    QFETCH(int, layer);

    DrawObject o;
    o.kind = kind;
    o.emphasis = emphasis;
    QCOMPARE(layerOf(o), layer);
}

QTEST_MAIN(TestDrawObject)
#include "tst_drawobject.moc"
