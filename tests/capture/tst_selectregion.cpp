#include "selectionmapping.h"
#include "selectregion.h"
#include "settingskeys.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <functional>

namespace {

using SelectionPair = QPair<QPoint, QPoint>;

const QRgb FrameGray = qRgb(100, 100, 100);
const QSize OverlaySize(800, 600);

// Every pixel differs from its neighbours and from the overlay's own colours.
QImage patternImage(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(150 + x % 100, 20 + y % 200, 30 + (3 * x + 7 * y) % 200));
    return image;
}

QPixmap frozenAtRatio(const QImage &logical, int ratio)
{
    QPixmap frozen = QPixmap::fromImage(logical.scaled(logical.size() * ratio));
    frozen.setDevicePixelRatio(ratio);
    return frozen;
}

QPointer<SelectRegion> openOverlay(const QPixmap &frozen, const QPoint &desktopTopLeft = {})
{
    auto *overlay = new SelectRegion;
    overlay->setPixmap(frozen);
    const QSizeF logicalSize = frozen.deviceIndependentSize();
    const DesktopLayout desktop({{QRect(desktopTopLeft, logicalSize.toSize()), 1.0}}, 0);
    overlay->setGeometry(overlayGeometry(desktop, logicalSize));
    overlay->show();
    overlay->raise();
    overlay->activateWindow();
    if (!QTest::qWaitForWindowActive(overlay))
        qWarning("overlay did not become active");
    return overlay;
}

QImage rendered(SelectRegion *overlay)
{
    return overlay->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb dimmed(QRgb color)
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(color);
    QPainter(&pixel).fillRect(pixel.rect(), QColor(100, 100, 100, 100));
    return pixel.pixel(0, 0);
}

// Qt drops a move to where the pointer already is, so it always arrives from a neighbour.
void moveTo(SelectRegion *overlay, const QPoint &point)
{
    QTest::mouseMove(overlay->windowHandle(), point + QPoint(1, 1));
    QTest::mouseMove(overlay->windowHandle(), point);
}

void press(SelectRegion *overlay, const QPoint &point)
{
    QTest::mousePress(overlay->windowHandle(), Qt::LeftButton, {}, point);
}

void release(SelectRegion *overlay, const QPoint &point)
{
    QTest::mouseRelease(overlay->windowHandle(), Qt::LeftButton, {}, point);
}

QList<SelectionPair> pairsOf(const QSignalSpy &spy)
{
    QList<SelectionPair> pairs;
    for (const QList<QVariant> &arguments : spy)
        pairs << SelectionPair(arguments.at(0).toPoint(), arguments.at(1).toPoint());
    return pairs;
}

const SelectionPair CancelPair(QPoint(-1, -1), QPoint(-1, -1));

void setLoupeSetting(bool on)
{
    settingsStore().setValue(SettingsKeys::ShowLoupe, on ? 1 : 0);
}

// `image`, a loupe over a frozen image of one colour anchored at `anchor`, with one text field of
// its strip cleared and `text` drawn at `baseline` as the overlay paints it.
QImage withStripText(const QImage &image, const QPoint &anchor, const QRect &field,
                     const QPoint &baseline, const QString &text)
{
    QPixmap expected = QPixmap::fromImage(image);
    QPainter painter(&expected);
    painter.fillRect(field.translated(anchor), image.pixel(anchor + QPoint(112, 120)));
    QFont font(QStringLiteral("monospace"));
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawText(anchor + baseline, text);
    painter.end();
    return expected.toImage().convertToFormat(QImage::Format_RGB32);
}

const QRect ColourField(66, 115, 47, 12);
const QPoint ColourBaseline(67, 126);
const QRect SizeField(10, 115, 56, 12);
const QPoint SizeBaseline(13, 126);

// The loupe's 8 x 8 cell (column, row) as painted with the loupe anchored at `anchor`.
QRgb loupeCell(const QImage &image, const QPoint &anchor, int column, int row)
{
    return image.pixel(anchor.x() + 10 + 8 * column + 4, anchor.y() + 10 + 8 * row + 4);
}

bool onCentreMarker(int column, int row)
{
    return (column == 6) != (row == 6);
}

} // namespace

class SelectRegionOverlay : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        settingsStore().clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    }

    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qDeleteAll(QApplication::topLevelWidgets());
    }

    void windowIsAFramelessTopOverlayWithoutCursor()
    {
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage({80, 60})));
        QCOMPARE(overlay->objectName(), QStringLiteral("SelectRegion"));
        QCOMPARE(overlay->windowTitle(), QStringLiteral("SelectRegion"));
        const Qt::WindowFlags flags = overlay->windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(overlay->windowType(), Qt::Window);
        QCOMPARE(overlay->windowModality(), Qt::NonModal);
        QCOMPARE(overlay->cursor().shape(), Qt::BlankCursor);
        QVERIFY(overlay->hasMouseTracking());
        QCOMPARE(overlay->pixmap().size(), QSize(80, 60));
    }

    void selectionShowsTheFrozenImageAndDimsTheRest_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("down-right") << QPoint(100, 80) << QPoint(300, 250);
        QTest::newRow("up-left") << QPoint(300, 250) << QPoint(100, 80);
        QTest::newRow("down-left") << QPoint(300, 80) << QPoint(100, 250);
        QTest::newRow("up-right") << QPoint(100, 250) << QPoint(300, 80);
    }

    void selectionShowsTheFrozenImageAndDimsTheRest()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        const QImage frozen = patternImage(OverlaySize);
        // The desktop does not start at the origin: the overlay must still show each image pixel
        // where it was grabbed, and the mapped crop must be what the overlay left undimmed.
        const QPoint desktopTopLeft(-300, -200);
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(frozen), desktopTopLeft);
        QSignalSpy spy(overlay.data(), &SelectRegion::regionSelected);

        moveTo(overlay, start);
        press(overlay, start);
        moveTo(overlay, end);
        const QImage image = rendered(overlay);
        release(overlay, end);

        QVERIFY(!spy.isEmpty());
        const SelectionPair pair = pairsOf(spy).first();
        QCOMPARE(pair.first, desktopTopLeft + start);
        QCOMPARE(pair.second, desktopTopLeft + end);
        const QRect crop =
            cropRectangle(pair.first, pair.second, desktopTopLeft, frozen.size(), 1.0);
        // Both corner pixels are in, whichever way the drag went.
        QCOMPARE(crop, QRect(100, 80, 201, 171));

        // Inside, clear of the frame and crosshair: the frozen pixels themselves.
        const QRect inside = crop.adjusted(2, 2, -2, -2);
        for (const QPoint &probe : {inside.topLeft(), inside.topRight(), inside.bottomLeft(),
                                    inside.bottomRight(), inside.center()})
            QCOMPARE(image.pixel(probe), frozen.pixel(probe));
        // Outside: dimmed.
        const QRect outside = crop.adjusted(-2, -2, 2, 2);
        for (const QPoint &probe :
             {outside.topLeft(), outside.bottomRight(), QPoint(5, 590), QPoint(790, 5)})
            QCOMPARE(image.pixel(probe), dimmed(frozen.pixel(probe)));
    }

    void loupeShowsTheSizeOfTheCrop_data() { selectionShowsTheFrozenImageAndDimsTheRest_data(); }

    void loupeShowsTheSizeOfTheCrop()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        setLoupeSetting(true);
        QImage frozen(OverlaySize, QImage::Format_RGB32);
        frozen.fill(qRgb(200, 180, 160));
        const QPointer<SelectRegion> overlay = openOverlay(QPixmap::fromImage(frozen));
        moveTo(overlay, start);
        press(overlay, start);
        moveTo(overlay, end);
        const QImage image = rendered(overlay);

        QCOMPARE(withStripText(image, end, SizeField, SizeBaseline, QStringLiteral("201x171")),
                 image);
        QVERIFY(withStripText(image, end, SizeField, SizeBaseline, QStringLiteral("199x169")) !=
                image);
    }

    void loupeAndCrosshairStartAtThePointer()
    {
        setLoupeSetting(true);
        const QPoint desktopTopLeft(-200, 0);
        const QPoint pointer(250, 150);
        QCursor::setPos(desktopTopLeft + pointer);
        const QImage frozen = patternImage(OverlaySize);
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(frozen), desktopTopLeft);
        const QImage image = rendered(overlay);

        QCOMPARE(image.pixel(pointer.x(), 5), FrameGray);
        QCOMPARE(image.pixel(5, pointer.y()), FrameGray);
        QCOMPARE(image.pixel(pointer + QPoint(9, 40)), QColor(Qt::gray).rgb());
        QCOMPARE(loupeCell(image, pointer, 6, 6), frozen.pixel(pointer));
    }

    void crosshairPassesThroughTheCursor()
    {
        const QImage frozen = patternImage(OverlaySize);
        const QPointer<SelectRegion> overlay = openOverlay(QPixmap::fromImage(frozen));
        const QPoint cursor(420, 330);
        moveTo(overlay, cursor);
        const QImage image = rendered(overlay);

        for (int y : {0, 100, 599})
            QCOMPARE(image.pixel(cursor.x(), y), FrameGray);
        for (int x : {0, 700, 799})
            QCOMPARE(image.pixel(x, cursor.y()), FrameGray);
        QCOMPARE(image.pixel(cursor.x() + 1, 100), dimmed(frozen.pixel(cursor.x() + 1, 100)));
        QCOMPARE(image.pixel(700, cursor.y() + 1), dimmed(frozen.pixel(700, cursor.y() + 1)));
    }

    void loupeFlipsAtTheEdgesAndTheHintGivesWay_data()
    {
        QTest::addColumn<bool>("loupe");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<bool>("hint");

        QTest::newRow("middle") << true << QPoint(400, 300) << QPoint(400, 300) << true;
        QTest::newRow("last unflipped column")
            << true << QPoint(676, 300) << QPoint(676, 300) << true;
        QTest::newRow("near the right") << true << QPoint(677, 300) << QPoint(553, 300) << true;
        QTest::newRow("near the bottom") << true << QPoint(400, 477) << QPoint(400, 343) << true;
        QTest::newRow("bottom-right corner")
            << true << QPoint(700, 500) << QPoint(576, 366) << false;
        QTest::newRow("corner without loupe") << false << QPoint(700, 500) << QPoint() << true;
    }

    void loupeFlipsAtTheEdgesAndTheHintGivesWay()
    {
        QFETCH(bool, loupe);
        QFETCH(QPoint, cursor);
        QFETCH(QPoint, anchor);
        QFETCH(bool, hint);
        setLoupeSetting(loupe);
        const QImage frozen = patternImage(OverlaySize);
        const QPointer<SelectRegion> overlay = openOverlay(QPixmap::fromImage(frozen));
        moveTo(overlay, cursor);
        const QImage image = rendered(overlay);

        const QRgb loupeFrame = QColor(Qt::gray).rgb();
        if (loupe) {
            QCOMPARE(image.pixel(anchor + QPoint(9, 40)), loupeFrame);
            QCOMPARE(image.pixel(anchor + QPoint(114, 40)), loupeFrame);
            QCOMPARE(image.pixel(anchor + QPoint(40, 9)), loupeFrame);
            QCOMPARE(loupeCell(image, anchor, 6, 6), frozen.pixel(cursor));
        } else {
            QCOMPARE(image.pixel(cursor + QPoint(40, 9)),
                     dimmed(frozen.pixel(cursor + QPoint(40, 9))));
        }
        // Just inside the hint box's lower right corner, where no text reaches.
        const QColor hintProbe = image.pixelColor(cursor + QPoint(-8, -5));
        QCOMPARE(hintProbe.red() > 230 && hintProbe.green() > 230 && hintProbe.blue() > 230, hint);
    }

    void loupeMagnifiesTheCellsAroundTheCursor_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<int>("ratio");
        QTest::addColumn<QPoint>("anchor");

        QTest::newRow("middle") << QPoint(400, 300) << 1 << QPoint(400, 300);
        QTest::newRow("left edge") << QPoint(2, 300) << 1 << QPoint(2, 300);
        QTest::newRow("x = 5") << QPoint(5, 300) << 1 << QPoint(5, 300);
        QTest::newRow("top edge") << QPoint(300, 3) << 1 << QPoint(300, 3);
        QTest::newRow("top-left corner") << QPoint(1, 2) << 1 << QPoint(1, 2);
        QTest::newRow("right edge") << QPoint(797, 300) << 1 << QPoint(673, 300);
        QTest::newRow("bottom edge") << QPoint(400, 599) << 1 << QPoint(400, 465);
        QTest::newRow("2x, middle") << QPoint(400, 300) << 2 << QPoint(400, 300);
        QTest::newRow("2x, left edge") << QPoint(1, 300) << 2 << QPoint(1, 300);
        QTest::newRow("2x, bottom-right") << QPoint(798, 598) << 2 << QPoint(674, 464);
    }

    void loupeMagnifiesTheCellsAroundTheCursor()
    {
        QFETCH(QPoint, cursor);
        QFETCH(int, ratio);
        QFETCH(QPoint, anchor);
        setLoupeSetting(true);
        const QImage frozen = patternImage(OverlaySize);
        const QPointer<SelectRegion> overlay = openOverlay(frozenAtRatio(frozen, ratio));
        moveTo(overlay, cursor);
        const QImage image = rendered(overlay);

        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 13; ++column) {
                if (onCentreMarker(column, row))
                    continue;
                const QPoint source = cursor + QPoint(column - 6, row - 6);
                const QRgb expected =
                    frozen.rect().contains(source) ? frozen.pixel(source) : qRgb(0, 0, 0);
                QCOMPARE(loupeCell(image, anchor, column, row), expected);
            }
        }
    }

    void colourTextIsTheUpperCaseNameOfThePixelUnderTheCursor()
    {
        setLoupeSetting(true);
        QImage frozen(OverlaySize, QImage::Format_RGB32);
        frozen.fill(qRgb(200, 180, 160));
        const QPoint cursor(300, 200);
        frozen.setPixel(cursor, qRgb(0x1a, 0x2b, 0x3c));
        const QPointer<SelectRegion> overlay = openOverlay(QPixmap::fromImage(frozen));
        moveTo(overlay, cursor);
        const QImage image = rendered(overlay);

        const auto withText = [&](const QString &text) {
            return withStripText(image, cursor, ColourField, ColourBaseline, text);
        };
        QCOMPARE(withText(QStringLiteral("#1A2B3C")), image);
        QVERIFY(withText(QStringLiteral("#1a2b3c")) != image);

        QTest::keyClick(overlay, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#1a2b3c"));
    }

    void colourCopyNeedsTheLoupeToHaveBeenShown()
    {
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage(OverlaySize)));
        moveTo(overlay, QPoint(100, 100));
        rendered(overlay);
        QTest::keyClick(overlay, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    }

    void clickReportsOnePointAndDragReportsBothUnnormalised_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("click") << QPoint(120, 90) << QPoint(120, 90);
        QTest::newRow("drag up-left") << QPoint(500, 400) << QPoint(130, 60);
    }

    void clickReportsOnePointAndDragReportsBothUnnormalised()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        const QPoint desktopTopLeft(-200, 0);
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage(OverlaySize)), desktopTopLeft);
        QSignalSpy spy(overlay.data(), &SelectRegion::regionSelected);
        moveTo(overlay, start);
        press(overlay, start);
        moveTo(overlay, end);
        release(overlay, end);

        // A receiver that stays connected also sees the cancel pair of the hide.
        const QList<SelectionPair> expected{{desktopTopLeft + start, desktopTopLeft + end},
                                            CancelPair};
        QCOMPARE(pairsOf(spy), expected);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(overlay.isNull());
    }

    void receiverThatDisconnectsFirstGetsExactlyOneRealPair()
    {
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage(OverlaySize)));
        QList<SelectionPair> received;
        QMetaObject::Connection connection;
        connection =
            connect(overlay, &SelectRegion::regionSelected, this, [&](QPoint p1, QPoint p2) {
                disconnect(connection);
                overlay->hide();
                overlay->deleteLater();
                received << SelectionPair(p1, p2);
            });
        press(overlay, QPoint(10, 20));
        moveTo(overlay, QPoint(300, 200));
        release(overlay, QPoint(300, 200));

        QCOMPARE(received, QList<SelectionPair>{SelectionPair(QPoint(10, 20), QPoint(300, 200))});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(overlay.isNull());
    }

    void escapeAndCloseRequestOnlyCancel_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Esc") << true;
        QTest::newRow("close request") << false;
    }

    void escapeAndCloseRequestOnlyCancel()
    {
        QFETCH(bool, byEscape);
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage(OverlaySize)));
        QSignalSpy spy(overlay.data(), &SelectRegion::regionSelected);
        press(overlay, QPoint(10, 20));
        moveTo(overlay, QPoint(300, 200));
        if (byEscape)
            QTest::keyClick(overlay, Qt::Key_Escape);
        else
            QVERIFY(!overlay->close());

        QCOMPARE(pairsOf(spy), QList<SelectionPair>{CancelPair});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(overlay.isNull());
    }

    void loupeToggleIsStoredAsNumberAndPersistsToTheNextOverlay()
    {
        const QImage frozen = patternImage(OverlaySize);
        const QPoint cursor(200, 200);
        const auto loupeShown = [&](SelectRegion *overlay) {
            moveTo(overlay, cursor);
            return rendered(overlay).pixel(cursor + QPoint(9, 40)) == QColor(Qt::gray).rgb();
        };

        QPointer<SelectRegion> overlay = openOverlay(QPixmap::fromImage(frozen));
        QVERIFY(!loupeShown(overlay));
        QTest::keyClick(overlay, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(loupeShown(overlay));
        QTest::keyClick(overlay, Qt::Key_Escape);
        QCOMPARE(settingsStore().value(SettingsKeys::ShowLoupe).toString(), QStringLiteral("1"));

        overlay = openOverlay(QPixmap::fromImage(frozen));
        QVERIFY(loupeShown(overlay));
        QTest::keyClick(overlay, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!overlay->close());
        QCOMPARE(settingsStore().value(SettingsKeys::ShowLoupe).toString(), QStringLiteral("0"));
    }

    void screenAfterEachChangeMatchesAFullPaint()
    {
        setLoupeSetting(true);
        const QPointer<SelectRegion> overlay =
            openOverlay(QPixmap::fromImage(patternImage(OverlaySize)));
        // What the window shows is only repainted where a change can alter it.
        const auto onScreen = [&] {
            return overlay->screen()
                ->grabWindow(overlay->winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const auto step = [&](const char *what, const std::function<void()> &change) {
            change();
            const bool same = onScreen() == rendered(overlay);
            if (!same)
                qWarning("stale pixels after %s", what);
            return same;
        };

        QVERIFY(step("hover", [&] { moveTo(overlay, QPoint(300, 250)); }));
        QVERIFY(step("hover into the corner", [&] { moveTo(overlay, QPoint(760, 580)); }));
        QVERIFY(step("hover back", [&] { moveTo(overlay, QPoint(200, 150)); }));
        QVERIFY(step("press", [&] { press(overlay, QPoint(200, 150)); }));
        QVERIFY(step("drag down-right", [&] { moveTo(overlay, QPoint(420, 380)); }));
        QVERIFY(step("drag on", [&] { moveTo(overlay, QPoint(700, 560)); }));
        QVERIFY(step("drag back up-left", [&] { moveTo(overlay, QPoint(90, 40)); }));
        QVERIFY(
            step("loupe off", [&] { QTest::keyClick(overlay, Qt::Key_L, Qt::ControlModifier); }));
        QVERIFY(step("drag without loupe", [&] { moveTo(overlay, QPoint(150, 100)); }));
    }

    void nullImageStillPaints()
    {
        setLoupeSetting(true);
        const QPointer<SelectRegion> overlay = openOverlay(QPixmap());
        overlay->resize(300, 200);
        moveTo(overlay, QPoint(50, 50));
        const QImage image = rendered(overlay);
        QCOMPARE(image.pixel(50, 150), FrameGray);
        QTest::keyClick(overlay, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    }
};

QTEST_MAIN(SelectRegionOverlay)
#include "tst_selectregion.moc"
