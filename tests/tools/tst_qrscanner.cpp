#include "../support/qrcodes.h"
#include "qrdecoder.h"
#include "qrscanner.h"
#include "quircprecheck.h"
#include "selectregion.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <random>

#ifdef QUORVEL_QUIRC_PRECHECK
extern "C" {
#include <quirc_internal.h>
}
#endif

namespace {

const QString Cyrillic = QStringLiteral("Съешь же ещё этих мягких булок — Ґ, Є, Ї");

// A code below a page of small print, whose letters give quirc hundreds of areas to look at
// before it reaches the code.
QImage codeBelowText(const QImage &code)
{
    QImage page(1200, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    for (int y = 12; y < 1000 - code.height() - 40; y += 13)
        painter.drawText(
            4, y, QStringLiteral("mmm nnn www ### |||| IIII llll MMMM WWWW mwmw ").repeated(4));
    painter.drawImage(600, 1000 - code.height() - 20, code);
    return page;
}

// Pictures that keep quirc's finder search busy: frames around a stone in both polarities, some
// shaped like finder patterns and many nearly so, real codes among them (some with one-pixel
// modules, inverted or mirrored), speckles, and combs whose teeth join into regions too deep for
// quirc's flood fill to label in one go. Drawn from a fixed seed, so every run sees the same
// pictures; 8-bit grey, so that the scan takes them as they are.
QList<QImage> busyPictures()
{
    const QList<QImage> codes{
        QrCodes::encode(QStringLiteral("busy"), 1), QrCodes::encode(QStringLiteral("busy"), 2),
        QrCodes::encode(QStringLiteral("https://example.org/busy?page=2"), 3)};
    std::mt19937 random(2024);
    const auto pick = [&random](int low, int high) {
        return low + int(random() % unsigned(high - low + 1));
    };
    const auto grey = [&pick](int low, int high) {
        const int value = pick(low, high);
        return QColor(value, value, value);
    };
    QList<QImage> pictures;
    for (int index = 0; index < 120; ++index) {
        const bool comb = index % 4 == 3;
        const QSize size(pick(60, 360), comb && index % 8 == 7 ? pick(2100, 4400) : pick(60, 360));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(grey(0, 255));
        QPainter painter(&picture);
        for (int count = pick(0, 20); count > 0; --count)
            painter.fillRect(pick(-20, size.width()), pick(-20, size.height()), pick(1, 60),
                             pick(1, 60), grey(0, 255));
        // Frames with a stone whose widths across and heights down are drawn apart, so that rows
        // and sizes fall on both sides of the tolerances of quirc's tests.
        for (int count = pick(0, 30); count > 0; --count) {
            QColor dark = grey(0, 100);
            QColor light = grey(150, 255);
            if (pick(0, 1))
                std::swap(dark, light);
            const QSize ring(pick(1, 6), pick(1, 16));
            const QSize gap(pick(1, 6), pick(1, 6));
            const QSize stone(pick(1, 14), pick(1, 20));
            const QRect outer(QPoint(pick(-10, size.width()), pick(-10, size.height())),
                              (ring + gap) * 2 + stone);
            const QRect inner = outer.marginsRemoved(
                QMargins(ring.width(), ring.height(), ring.width(), ring.height()));
            painter.fillRect(outer, dark);
            painter.fillRect(inner, light);
            painter.fillRect(inner.marginsRemoved(
                                 QMargins(gap.width(), gap.height(), gap.width(), gap.height())),
                             dark);
        }
        if (index % 2 == 0) {
            QImage code = codes[pick(0, int(codes.size()) - 1)];
            if (pick(0, 3) == 0)
                code.invertPixels();
            if (pick(0, 3) == 0)
                code = code.mirrored(true, false);
            painter.drawImage(pick(-5, std::max(0, size.width() - code.width())),
                              pick(-5, std::max(0, size.height() - code.height())), code);
        }
        if (comb) {
            const QColor dark = grey(0, 60);
            painter.fillRect(0, 0, size.width(), 1, dark);
            for (int x = 0, step = pick(12, 40); x < size.width(); x += step)
                painter.fillRect(x, 0, 1, size.height() - pick(0, 3), dark);
            for (int count = 0; count < 40; ++count)
                painter.fillRect(pick(0, size.width()), pick(0, size.height()), pick(1, 8), 1,
                                 Qt::white);
        }
        if (index % 5 == 1)
            for (int count = size.width() * size.height() / pick(48, 400); count > 0; --count)
                picture.setPixel(pick(0, size.width() - 1), pick(0, size.height() - 1),
                                 grey(0, 255).rgb());
        painter.end();
        pictures << picture.convertToFormat(QImage::Format_Grayscale8);
    }
    return pictures;
}

// Three finder patterns whose stone is `stoneHeight` rows of a ring 28 pixels wide, with sides
// of 4 pixels, a top and a bottom of one row and a gap of `gapHeight` rows: rows through the
// stone are 4, 4, 12, 4, 4 pixels long, and the stone's share of the ring is set by the heights
// alone. quirc takes stones of 10 to 70 % of their ring, both bounds included.
QImage finderPatternsWithStoneShare(int gapHeight, int stoneHeight)
{
    const QSize outer(28, 2 + 2 * gapHeight + stoneHeight);
    QImage picture(200, 60 + outer.height(), QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int x : {20, 80, 140}) {
        const QRect ring(QPoint(x, 30), outer);
        painter.fillRect(ring, Qt::black);
        painter.fillRect(ring.adjusted(4, 1, -4, -1), Qt::white);
        painter.fillRect(ring.adjusted(8, 1 + gapHeight, -8, -1 - gapHeight), Qt::black);
    }
    return picture;
}

int stoneSharePercent(int gapHeight, int stoneHeight)
{
    const int height = 2 + 2 * gapHeight + stoneHeight;
    const int ring = 28 * height - 20 * (height - 2);
    return 12 * stoneHeight * 100 / ring;
}

#ifdef QUORVEL_QUIRC_PRECHECK
int finderPatternsQuircRecords(const QImage &grey)
{
    quirc *decoder = quirc_new();
    if (!decoder)
        return -1;
    if (quirc_resize(decoder, grey.width(), grey.height()) < 0) {
        quirc_destroy(decoder);
        return -1;
    }
    uint8_t *buffer = quirc_begin(decoder, nullptr, nullptr);
    for (int y = 0; y < grey.height(); ++y)
        std::memcpy(buffer + size_t(y) * size_t(grey.width()), grey.constScanLine(y),
                    size_t(grey.width()));
    quirc_end(decoder);
    const int found = decoder->num_capstones;
    quirc_destroy(decoder);
    return found;
}
#endif

// A plain desktop: a wallpaper in a gradient, a task bar, and a window with a title bar and lines
// of text.
QImage plainDesktop()
{
    QImage desktop(900, 600, QImage::Format_RGB32);
    QPainter painter(&desktop);
    QLinearGradient wallpaper(0, 0, 900, 600);
    wallpaper.setColorAt(0, QColor(20, 60, 110));
    wallpaper.setColorAt(1, QColor(90, 30, 80));
    painter.fillRect(desktop.rect(), wallpaper);
    painter.fillRect(0, 570, 900, 30, QColor(30, 30, 36));
    painter.fillRect(60, 50, 560, 24, QColor(60, 64, 70));
    painter.fillRect(60, 74, 560, 400, QColor(250, 250, 250));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(70, 67, QStringLiteral("notes.txt"));
    painter.setPen(QColor(30, 30, 30));
    for (int line = 0; line < 22; ++line)
        painter.drawText(70, 96 + line * 17,
                         QStringLiteral("%1  int value = compute(%2, \"text\"); // status %3")
                             .arg(line + 1)
                             .arg(line * 7)
                             .arg(line % 5));
    return desktop;
}

QStringList sorted(QStringList texts)
{
    texts.sort();
    return texts;
}

QList<SelectRegion *> openSelectors()
{
    QList<SelectRegion *> open;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *selector = qobject_cast<SelectRegion *>(widget);
            selector && selector->isVisible())
            open << selector;
    return open;
}

// 800 × 600 logical pixels at a ratio of 2, a code at logical (100, 100).
QPixmap frozenDesktopAtTwice(const QImage &code)
{
    QImage logical(800, 600, QImage::Format_RGB32);
    logical.fill(Qt::white);
    QPainter(&logical).drawImage(100, 100, code);
    QPixmap frozen = QPixmap::fromImage(logical.scaled(logical.size() * 2));
    frozen.setDevicePixelRatio(2);
    return frozen;
}

} // namespace

class QrScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QrCodes::encoderAvailable())
            QSKIP("needs qrencode (scripts/setup installs it)");
    }

    void codesAreReadThroughTheCandidates_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("readAsItIs");

        const QImage first = QrCodes::encode(QStringLiteral("first code"));
        const QImage second = QrCodes::encode(QStringLiteral("https://example.org/second?q=2"));
        QTest::newRow("one code") << QrCodes::sheet({first}) << QStringList{"first code"} << true;
        QTest::newRow("two codes, a blank line between")
            << QrCodes::sheet({first, second})
            << QStringList{"first code", "https://example.org/second?q=2"} << true;
        QTest::newRow("Cyrillic in UTF-8")
            << QrCodes::sheet({QrCodes::encode(Cyrillic)}) << QStringList{Cyrillic} << true;
        QTest::newRow("mirrored, through the flip")
            << QrCodes::sheet({first.mirrored(true, false)}) << QStringList{"first code"} << true;
        QTest::newRow("light on dark, through the inverted picture")
            << QrCodes::sheet({QrCodes::inverted(first)}, {}, {10, 10}, 40, Qt::black)
            << QStringList{"first code"} << false;
        QTest::newRow("dark and light codes: the dark one only")
            << QrCodes::sheet({first, QrCodes::inverted(second)}) << QStringList{"first code"}
            << true;
        QTest::newRow("one-pixel modules, through the enlarged picture")
            << QrCodes::sheet({QrCodes::encode(QStringLiteral("tiny"), 1)}) << QStringList{"tiny"}
            << false;
        QTest::newRow("below a page of text")
            << codeBelowText(first) << QStringList{"first code"} << true;
        QTest::newRow("no code") << QrCodes::sheet({QImage(120, 120, QImage::Format_RGB32)})
                                 << QStringList() << false;
        QTest::newRow("null picture") << QImage() << QStringList() << false;
    }

    void codesAreReadThroughTheCandidates()
    {
        QFETCH(QImage, picture);
        QFETCH(QStringList, texts);
        QFETCH(bool, readAsItIs);

        const QString result = QrDecoder::scanImage(picture);
        QCOMPARE(sorted(result.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)), sorted(texts));
        if (!picture.isNull()) {
            const QString plain =
                QrDecoder::decodeImage(picture.convertToFormat(QImage::Format_Grayscale8));
            QCOMPARE(!plain.isEmpty(), readAsItIs);
        }
    }

    void scanFindsWhatDecodingEveryCandidateFinds_data() { addBusyPictures(); }

    // The scan may pass over a candidate only where decoding it would find nothing.
    void scanFindsWhatDecodingEveryCandidateFinds()
    {
        QFETCH(QImage, picture);
        QImage inverted = picture;
        inverted.invertPixels();
        QString expected;
        for (const QImage &candidate : {picture, picture.scaled(picture.size() * 2), inverted})
            if (expected.isEmpty())
                expected = QrDecoder::decodeImage(candidate);
        QCOMPARE(QrDecoder::scanImage(picture), expected);
    }

    void precheckCountsNoFewerFinderPatternsThanQuirc_data()
    {
#ifndef QUORVEL_QUIRC_PRECHECK
        QSKIP("quirc is not the copy the precheck follows, and the scan does not use it");
#endif
        addBusyPictures();
    }

    // Texts alone cannot show this: a picture with finder patterns but no code gives none either
    // way. Counting fewer than quirc would let a scan pass over a code somewhere.
    void precheckCountsNoFewerFinderPatternsThanQuirc()
    {
#ifdef QUORVEL_QUIRC_PRECHECK
        QFETCH(QImage, picture);
        QImage inverted = picture;
        inverted.invertPixels();
        QuircPrecheck precheck(picture, QUIRC_MAX_REGIONS);
        QCOMPARE_GE(precheck.finderPatternBound(QuircPrecheck::Candidate::AsItIs),
                    finderPatternsQuircRecords(picture));
        QCOMPARE_GE(precheck.finderPatternBound(QuircPrecheck::Candidate::Doubled),
                    finderPatternsQuircRecords(picture.scaled(picture.size() * 2)));
        QCOMPARE_GE(precheck.finderPatternBound(QuircPrecheck::Candidate::Inverted),
                    finderPatternsQuircRecords(inverted));
#endif
    }

    void precheckRulesOutAPlainDesktop()
    {
        const QImage grey = plainDesktop().convertToFormat(QImage::Format_Grayscale8);
        // Far more region labels than the picture needs.
        QuircPrecheck precheck(grey, 65534);
        QVERIFY(!precheck.mayHoldCode(QuircPrecheck::Candidate::AsItIs));
        QVERIFY(!precheck.mayHoldCode(QuircPrecheck::Candidate::Doubled));
        QVERIFY(!precheck.mayHoldCode(QuircPrecheck::Candidate::Inverted));
    }

    void decoderTakesOnlyGreyPictures()
    {
        const QImage code = QrCodes::sheet({QrCodes::encode(QStringLiteral("grey"))});
        QVERIFY(QrDecoder::decodeImage(code).isEmpty());
        // A row stride wider than the picture: 75 + 2 × 10 + 40 is not a multiple of 4.
        const QImage odd = QrCodes::encode(QStringLiteral("grey"), 3);
        QVERIFY(odd.width() % 4 != 0);
        QCOMPARE(QrDecoder::decodeImage(odd.convertToFormat(QImage::Format_Grayscale8)),
                 QStringLiteral("grey"));
    }

    void scanWaitsThenFramesOnceAndCropsInImagePixels()
    {
        QrScanner scanner;
        const QImage code = QrCodes::encode(QStringLiteral("on a 200 % screen"), 3);
        scanner.setDesktopGrabber([&] { return frozenDesktopAtTwice(code); });
        scanner.show();
        QElapsedTimer clock;
        clock.start();
        scanner.startScan();
        QVERIFY(!scanner.isVisible());
        scanner.startScan();
        QVERIFY(!scanner.openSelector());
        QTRY_VERIFY(scanner.openSelector());
        // The dialog gets 300 ms to leave the screen (a coarse timer may fire a little early).
        QVERIFY(clock.elapsed() >= 280);
        QCOMPARE(openSelectors().size(), 1);
        SelectRegion *selector = scanner.openSelector();
        scanner.startScan();
        QTest::qWait(400);
        QCOMPARE(scanner.openSelector(), selector);
        QCOMPARE(openSelectors().size(), 1);

        // Framed as 100 × 50 logical pixels, both corners included.
        QMetaObject::invokeMethod(selector, "regionSelected", Q_ARG(QPoint, QPoint(10, 20)),
                                  Q_ARG(QPoint, QPoint(109, 69)));
        QVERIFY(!scanner.openSelector());
        QVERIFY(scanner.isVisible());
        QCOMPARE(scanner.lastScannedImage().size(), QSize(200, 100));
        auto *edit = scanner.findChild<QPlainTextEdit *>();
        auto *copy = scanner.findChild<QToolButton *>();
        QCOMPARE(edit->placeholderText(), QStringLiteral("No QR code was found in this area"));
        QVERIFY(!copy->isEnabled());

        // Dragged up and left around the code.
        scanSelection(scanner, QPoint(260, 250), QPoint(90, 90));
        QCOMPARE(scanner.lastScannedImage().size(), QSize(342, 322));
        QCOMPARE(scanner.resultText(), QStringLiteral("on a 200 % screen"));
        QVERIFY(copy->isEnabled());

        // 5 × 5 logical pixels are 10 × 10 in the image: too small, the result stays.
        scanSelection(scanner, QPoint(400, 400), QPoint(404, 404));
        QCOMPARE(scanner.resultText(), QStringLiteral("on a 200 % screen"));
        QCOMPARE(scanner.lastScannedImage().size(), QSize(342, 322));

        scanSelection(scanner, QPoint(-1, -1), QPoint(-1, -1));
        QVERIFY(scanner.isVisible());
        QCOMPARE(scanner.resultText(), QStringLiteral("on a 200 % screen"));
    }

    void failedGrabShowsTheDialogWithoutAScan()
    {
        QrScanner scanner;
        scanner.setDesktopGrabber([] { return QPixmap(); });
        scanner.startScan();
        QTRY_VERIFY(scanner.isVisible());
        QVERIFY(!scanner.openSelector());
        QVERIFY(openSelectors().isEmpty());
    }

    void copyPutsTheTextOnTheClipboardWithANotice()
    {
        QrScanner scanner;
        scanner.show();
        scanner.processImage(QrCodes::sheet({QrCodes::encode(Cyrillic)}));
        auto *copy = scanner.findChild<QToolButton *>();
        QVERIFY(copy->isEnabled());
        QApplication::clipboard()->clear();

        QTest::mouseClick(copy, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), Cyrillic);
        QCOMPARE(copy->toolTip(), QStringLiteral("Copied"));
        const auto notices = [&] {
            QList<QLabel *> shown;
            for (QLabel *label : scanner.findChildren<QLabel *>())
                if (label->windowType() == Qt::ToolTip && label->isVisible())
                    shown << label;
            return shown;
        };
        QCOMPARE(notices().size(), 1);
        const QLabel *notice = notices().first();
        QCOMPARE(notice->text(), QStringLiteral("Copied to clipboard"));
        // Right edges aligned, 6 pixels above the button.
        QCOMPARE(notice->pos(),
                 copy->mapToGlobal(QPoint(copy->width() - notice->width(), -notice->height() - 6)));

        QTRY_COMPARE(copy->toolTip(), QStringLiteral("Copy result"));
        QTRY_VERIFY(notices().isEmpty());
    }

private:
    static void addBusyPictures()
    {
        QTest::addColumn<QImage>("picture");
        const QList<QImage> pictures = busyPictures();
        for (int index = 0; index < pictures.size(); ++index)
            QTest::addRow("busy picture %d", index) << pictures[index];
        // Gap and stone heights that put the stone's share exactly on quirc's bounds.
        for (const auto &[gap, stone] : {std::pair{3, 1}, std::pair{1, 8}})
            QTest::addRow("stones of %d %% of their ring", stoneSharePercent(gap, stone))
                << finderPatternsWithStoneShare(gap, stone);
    }

    static void scanSelection(QrScanner &scanner, const QPoint &p1, const QPoint &p2)
    {
        scanner.hide();
        scanner.startScan();
        QTRY_VERIFY(scanner.openSelector());
        scanner.regionSelected(p1, p2);
    }
};

QTEST_MAIN(QrScannerTest)
#include "tst_qrscanner.moc"
