#include "../support/qrcodes.h"
#include "qrdecoder.h"
#include "qrscanner.h"
#include "selectregion.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

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
