#include "ruler.h"
#include "rulerguides.h"
#include "settingskeys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <algorithm>
#include <limits>
#include <tuple>

namespace {

const QRect Window(0, 0, 800, 600);
// Points on the bands as they start, at offset 0, away from their crossing.
const QPoint OnHorizontalBand(300, 18);
const QPoint OnVerticalBand(18, 300);

void clearStore()
{
    QSettings settings = settingsStore();
    settings.clear();
    settings.sync();
}

struct OpenRuler
{
    OpenRuler()
    {
        ruler.setGeometry(Window);
        ruler.show();
        // The stored state is read on the first paint.
        ruler.grab();
    }
    Ruler ruler;
};

void sendDoubleClick(QWidget *widget, const QPoint &point)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, point, widget->mapToGlobal(point),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget *widget, const QPoint &from, const QPoint &to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

QList<QLineF> sorted(QList<QLineF> lines)
{
    std::sort(lines.begin(), lines.end(), [](const QLineF &a, const QLineF &b) {
        return std::make_tuple(a.x1(), a.y1(), a.x2(), a.y2()) <
               std::make_tuple(b.x1(), b.y1(), b.x2(), b.y2());
    });
    return lines;
}

int countHorizontal(const QList<QLineF> &guides)
{
    return int(std::count_if(guides.begin(), guides.end(), RulerGuides::isHorizontal));
}

} // namespace

class RulerTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void bandPressAndReleaseIsAClickUpToManhattanFour_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("movement");
        QTest::addColumn<bool>("addsGuide");
        QTest::newRow("horizontal band, still") << OnHorizontalBand << QPoint(0, 0) << true;
        QTest::newRow("horizontal band, 2+2") << OnHorizontalBand << QPoint(2, 2) << true;
        QTest::newRow("horizontal band, 4 across") << OnHorizontalBand << QPoint(4, 0) << true;
        QTest::newRow("horizontal band, 3+2") << OnHorizontalBand << QPoint(3, 2) << false;
        QTest::newRow("vertical band, 1-3") << OnVerticalBand << QPoint(1, -3) << true;
        QTest::newRow("vertical band, 5 across") << OnVerticalBand << QPoint(5, 0) << false;
    }

    void bandPressAndReleaseIsAClickUpToManhattanFour()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, movement);
        QFETCH(bool, addsGuide);
        OpenRuler open;
        drag(&open.ruler, start, start + movement);

        const QList<QLineF> &guides = open.ruler.guides();
        QCOMPARE(guides.size(), addsGuide ? 1 : 0);
        const bool onVerticalBand = start == OnVerticalBand;
        if (addsGuide) {
            const QPoint at = start + movement;
            const QLineF expected =
                onVerticalBand ? QLineF(0, at.y(), 799, at.y()) : QLineF(at.x(), 0, at.x(), 599);
            QCOMPARE(guides.first(), expected);
        } else {
            // The band followed the pointer instead, its centre under it.
            const int offset = onVerticalBand ? open.ruler.verticalBandOffset()
                                              : open.ruler.horizontalBandOffset();
            const QPoint end = start + movement;
            QCOMPARE(offset, (onVerticalBand ? end.x() : end.y()) - 18);
        }
    }

    void doubleClickOnABandAddsAGuideAndRemovesItAgain()
    {
        OpenRuler open;
        QTest::mousePress(&open.ruler, Qt::LeftButton, {}, OnHorizontalBand);
        QTest::mouseRelease(&open.ruler, Qt::LeftButton, {}, OnHorizontalBand);
        QCOMPARE(open.ruler.guides().size(), 1);
        sendDoubleClick(&open.ruler, OnHorizontalBand);
        QTest::mouseRelease(&open.ruler, Qt::LeftButton, {}, OnHorizontalBand);
        QVERIFY(open.ruler.guides().isEmpty());
    }

    void bandDragStopsAtTheWindowEdges()
    {
        OpenRuler open;
        drag(&open.ruler, OnHorizontalBand, QPoint(300, 5000));
        QCOMPARE(open.ruler.horizontalBandOffset(), 600 - 36);
        drag(&open.ruler, QPoint(300, 600 - 18), QPoint(300, -40));
        QCOMPARE(open.ruler.horizontalBandOffset(), 0);
        drag(&open.ruler, OnVerticalBand, QPoint(5000, 300));
        QCOMPARE(open.ruler.verticalBandOffset(), 800 - 36);
    }

    void guidesAreDraggedWithinTheWindowAndRemovedByRightClick()
    {
        OpenRuler open;
        open.ruler.addMeasurement(QPointF(18, 200), true);
        // Grabbed 3 pixels below the line: the line keeps that distance from the pointer.
        drag(&open.ruler, QPoint(400, 203), QPoint(420, 303));
        QCOMPARE(open.ruler.guides().first(), QLineF(0, 300, 799, 300));
        drag(&open.ruler, QPoint(400, 300), QPoint(400, 9000));
        QCOMPARE(open.ruler.guides().first(), QLineF(0, 599, 799, 599));

        QTest::mouseClick(&open.ruler, Qt::RightButton, {}, QPoint(400, 580));
        QCOMPARE(open.ruler.guides().size(), 1);
        QTest::mouseClick(&open.ruler, Qt::RightButton, {}, QPoint(400, 591));
        QVERIFY(open.ruler.guides().isEmpty());
    }

    void nearestGuideWithinTenPixelsIsPickedTheEarlierOnATie_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("index");
        QTest::newRow("midway between two") << QPointF(105, 300) << 0;
        QTest::newRow("nearer the second") << QPointF(106, 300) << 1;
        QTest::newRow("just under ten away") << QPointF(119.9, 300) << 1;
        QTest::newRow("ten away") << QPointF(120, 300) << -1;
        QTest::newRow("beyond the end") << QPointF(100, 605) << 0;
    }

    void nearestGuideWithinTenPixelsIsPickedTheEarlierOnATie()
    {
        QFETCH(QPointF, point);
        QFETCH(int, index);
        const QList<QLineF> guides{QLineF(100, 0, 100, 599), QLineF(110, 0, 110, 599)};
        QCOMPARE(RulerGuides::guideAt(guides, point), index);
    }

    void neighbouringGuidesAreLabelledWithTheirDistance()
    {
        const QList<RulerGuides::Gap> gaps = RulerGuides::gapsBetween({400, 100, 150});
        QCOMPARE(gaps.size(), 2);
        QCOMPARE(gaps.at(0).pixels, 50);
        QCOMPARE(gaps.at(0).middle, 125.0);
        QCOMPARE(gaps.at(1).pixels, 250);
        QCOMPARE(gaps.at(1).middle, 275.0);
        QVERIFY(RulerGuides::gapsBetween({100}).isEmpty());

        // The label of rows sits beside the vertical band, halfway between the two guides.
        OpenRuler open;
        const QPoint labelCentre(54, 125);
        open.ruler.addMeasurement(QPointF(18, 100), true);
        QCOMPARE(qAlpha(open.ruler.grab().toImage().pixel(labelCentre)), 0);
        open.ruler.addMeasurement(QPointF(18, 150), true);
        QVERIFY(qAlpha(open.ruler.grab().toImage().pixel(labelCentre)) > 150);
    }

    void verticalNumbersSitBetweenTheirTicksInsideTheWindow()
    {
        OpenRuler open;
        const QFontMetricsF metrics(open.ruler.font());
        for (int y = 0; y < Window.height(); y += 50) {
            const QString number = QString::number(y);
            const QRectF drawn =
                Ruler::verticalNumberPlacement(y, 0, metrics.horizontalAdvance(number))
                    .mapRect(metrics.tightBoundingRect(number));
            QVERIFY2(drawn.top() > y && drawn.bottom() < y + 50, qPrintable(number));
            QVERIFY2(drawn.left() >= 0 && drawn.right() < 36, qPrintable(number));
        }
    }

    // Where windows are not see-through, the screen as it was is drawn beneath the bands, or the
    // whole screen would turn black.
    void theScreenIsDrawnBeneathWhereWindowsAreNotSeeThrough_data()
    {
        QTest::addColumn<bool>("seeThrough");
        QTest::newRow("a compositing desktop") << true;
        QTest::newRow("no compositing manager") << false;
    }

    void theScreenIsDrawnBeneathWhereWindowsAreNotSeeThrough()
    {
        QFETCH(bool, seeThrough);
        Ruler ruler;
        ruler.setGeometry(Window);
        QRect askedFor;
        ruler.setBackdropSource([&](const QRect &area) {
            askedFor = area;
            QPixmap screen(area.size());
            screen.fill(QColor(200, 120, 40));
            return seeThrough ? QPixmap() : screen;
        });
        ruler.show();
        QCOMPARE(askedFor, Window);
        const QColor beneath = ruler.grab().toImage().pixelColor(400, 300);
        QCOMPARE(beneath, seeThrough ? QColor(0, 0, 0, 0) : QColor(200, 120, 40));
    }

    void rulerSaysWhatItIsAndHowToLeave()
    {
        OpenRuler open;
        QCOMPARE(open.ruler.windowTitle(), QStringLiteral("Ruler"));
        // The hint sits at the bottom, in the middle, each time the ruler appears.
        const QPoint hint(Window.width() / 2, Window.height() - 30);
        for (int shown = 0; shown < 2; ++shown) {
            QVERIFY(open.ruler.isHintShown());
            QVERIFY(qAlpha(open.ruler.grab().toImage().pixel(hint)) > 150);
            open.ruler.close();
            QVERIFY(!open.ruler.isHintShown());
            open.ruler.show();
        }
    }

    void atMostTwentyGuidesAndTenOfEachOrientation()
    {
        OpenRuler open;
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(&open.ruler, Qt::LeftButton, {}, QPoint(100 + 50 * i, 18));
        QCOMPARE(open.ruler.guides().size(), 10);
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(&open.ruler, Qt::LeftButton, {}, QPoint(18, 60 + 40 * i));
        QCOMPARE(open.ruler.guides().size(), 20);
        QCOMPARE(countHorizontal(open.ruler.guides()), 10);
    }

    void escapeHidesAndTheNextRulerLoadsWhatWasThere()
    {
        QList<QLineF> guides;
        {
            OpenRuler open;
            open.ruler.addMeasurement(QPointF(250, 18), false);
            open.ruler.addMeasurement(QPointF(18, 333), true);
            drag(&open.ruler, OnHorizontalBand, QPoint(300, 218));
            guides = open.ruler.guides();
            QTest::keyClick(&open.ruler, Qt::Key_Escape);
            QVERIFY(!open.ruler.isVisible());
        }
        OpenRuler next;
        QCOMPARE(next.ruler.guides(), guides);
        QCOMPARE(next.ruler.horizontalBandOffset(), 200);
    }

    void inputBeforeTheFirstPaintKeepsWhatWasStored()
    {
        {
            OpenRuler open;
            open.ruler.addMeasurement(QPointF(250, 18), false);
            open.ruler.addMeasurement(QPointF(18, 333), true);
        }
        {
            Ruler hiddenAtOnce;
            hiddenAtOnce.setGeometry(Window);
            hiddenAtOnce.show();
            hiddenAtOnce.hide();
        }
        Ruler ruler;
        ruler.setGeometry(Window);
        ruler.show();
        QTest::mouseClick(&ruler, Qt::LeftButton, {}, QPoint(600, 18));
        ruler.grab();
        const QList<QLineF> expected{QLineF(0, 333, 799, 333), QLineF(250, 0, 250, 599),
                                     QLineF(600, 0, 600, 599)};
        QCOMPARE(sorted(ruler.guides()), sorted(expected));
    }

    void storedLinesAreFittedToTheWindow()
    {
        {
            QSettings settings = settingsStore();
            settings.beginWriteArray(SettingsKeys::RulerMeasurements);
            const QList<QLineF> stored{QLineF(10, 40, 30, 60), QLineF(5000, -20, 5000, 900),
                                       QLineF(-3, 7000, 900, 7000)};
            for (int i = 0; i < stored.size(); ++i) {
                settings.setArrayIndex(i);
                settings.setValue(SettingsKeys::RulerStartX, stored.at(i).x1());
                settings.setValue(SettingsKeys::RulerStartY, stored.at(i).y1());
                settings.setValue(SettingsKeys::RulerEndX, stored.at(i).x2());
                settings.setValue(SettingsKeys::RulerEndY, stored.at(i).y2());
            }
            settings.endArray();
        }
        OpenRuler open;
        const QList<QLineF> expected{QLineF(0, 40, 799, 40), QLineF(799, 0, 799, 599),
                                     QLineF(0, 599, 799, 599)};
        QCOMPARE(open.ruler.guides(), expected);
    }

    void storedLimitsHoldWhenLoading()
    {
        {
            QSettings settings = settingsStore();
            settings.beginWriteArray(SettingsKeys::RulerMeasurements);
            // 15 vertical lines, then 15 horizontal ones.
            for (int i = 0; i < 30; ++i) {
                settings.setArrayIndex(i);
                const bool vertical = i < 15;
                settings.setValue(SettingsKeys::RulerStartX, vertical ? 10.0 * i : 0.0);
                settings.setValue(SettingsKeys::RulerStartY, vertical ? 0.0 : 10.0 * i);
                settings.setValue(SettingsKeys::RulerEndX, vertical ? 10.0 * i : 799.0);
                settings.setValue(SettingsKeys::RulerEndY, vertical ? 599.0 : 10.0 * i);
            }
            settings.endArray();
        }
        OpenRuler open;
        QCOMPARE(open.ruler.guides().size(), 20);
        QCOMPARE(countHorizontal(open.ruler.guides()), 10);
        QCOMPARE(open.ruler.guides().first().x1(), 0.0);
        QCOMPARE(open.ruler.guides().last().y1(), 240.0);
    }

    void unsoundStoredValuesAreLeftOut()
    {
        {
            QSettings settings = settingsStore();
            settings.setValue(SettingsKeys::HorizontalRulerOffset, QStringLiteral("lots"));
            settings.setValue(SettingsKeys::VerticalRulerOffset, 2000000000);
            const QString prefix = QString::fromLatin1(SettingsKeys::RulerMeasurements) + '/';
            settings.setValue(prefix + "size", std::numeric_limits<int>::max());
            const auto entry = [&](int number, const QVariantList &values) {
                const char *keys[] = {SettingsKeys::RulerStartX, SettingsKeys::RulerStartY,
                                      SettingsKeys::RulerEndX, SettingsKeys::RulerEndY};
                for (int i = 0; i < values.size(); ++i)
                    settings.setValue(prefix + QString::number(number) + '/' + keys[i],
                                      values.at(i));
            };
            entry(1, {QStringLiteral("nan"), 10, 20, 10});
            entry(2, {0, 100, 799, 100});
            entry(3, {QStringLiteral("inf"), 10, 20, 10});
            entry(4, {0, 200, 799});
            entry(5, {QStringLiteral("-inf"), 0, 0, QStringLiteral("1e999")});
            entry(6, {QStringLiteral("x"), 300, 1, 300});
            entry(70000, {0, 400, 799, 400});
            entry(2000000000, {1e300, 0, 1e300, -1e300});
        }
        OpenRuler open;
        const QList<QLineF> expected{QLineF(0, 100, 799, 100), QLineF(0, 400, 799, 400),
                                     QLineF(799, 0, 799, 599)};
        QCOMPARE(open.ruler.guides(), expected);
        QCOMPARE(open.ruler.horizontalBandOffset(), 0);
        QCOMPARE(open.ruler.verticalBandOffset(), 800 - 36);
    }
};

QTEST_MAIN(RulerTest)
#include "tst_ruler.moc"
