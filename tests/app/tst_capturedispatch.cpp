#include "editordocument.h"
#include "qxtglobalshortcut.h"
#include "screenshot.h"
#include "selectregion.h"
#include "settingskeys.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

namespace {

// A desktop whose every pixel tells where it came from.
QPixmap knownDesktop()
{
    const QSize size = QGuiApplication::primaryScreen()->virtualSize();
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return QPixmap::fromImage(image);
}

QList<SelectRegion *> openSelectors()
{
    QList<SelectRegion *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *selector = qobject_cast<SelectRegion *>(window);
            selector && selector->isVisible())
            found << selector;
    }
    return found;
}

} // namespace

class CaptureDispatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        settingsStore().clear();
    }

    void cleanup()
    {
        for (SelectRegion *selector : openSelectors())
            delete selector;
    }

    void aDraggedRegionOpensInTheEditor_data()
    {
        QTest::addColumn<QPoint>("p1");
        QTest::addColumn<QPoint>("p2");
        QTest::addColumn<QRect>("expected");
        const QRect whole(QPoint(0, 0), QGuiApplication::primaryScreen()->virtualSize());
        QTest::newRow("drag") << QPoint(100, 50) << QPoint(300, 250) << QRect(100, 50, 201, 201);
        QTest::newRow("drag up-left")
            << QPoint(300, 250) << QPoint(100, 50) << QRect(100, 50, 201, 201);
        QTest::newRow("drag down-left")
            << QPoint(300, 50) << QPoint(100, 250) << QRect(100, 50, 201, 201);
        QTest::newRow("10 x 200 keeps the desktop") << QPoint(100, 50) << QPoint(110, 250) << whole;
        QTest::newRow("click keeps the desktop") << QPoint(40, 40) << QPoint(40, 40) << whole;
    }
    void aDraggedRegionOpensInTheEditor()
    {
        QFETCH(QPoint, p1);
        QFETCH(QPoint, p2);
        QFETCH(QRect, expected);
        const QPixmap desktop = knownDesktop();
        Screenshot window;
        window.setDesktopGrabber([desktop] { return desktop; });
        window.clickCaptureRegion();
        const QList<SelectRegion *> selectors = openSelectors();
        QCOMPARE(selectors.size(), 1);

        window.clickCaptureRegion();
        QCOMPARE(openSelectors().size(), 1);

        emit selectors.first()->regionSelected(p1, p2);
        QVERIFY(window.isVisible());
        const EditorDocument *document = window.editorDocument();
        QCOMPARE(document->history.size(), 1);
        QCOMPARE(document->mainPixmap.size(), expected.size());
        QCOMPARE(document->mainPixmap.toImage(), desktop.copy(expected).toImage());
        QTRY_VERIFY(openSelectors().isEmpty());
    }

    void aCancelledSelectionLeavesTheEditorHidden()
    {
        Screenshot window;
        const QPixmap desktop = knownDesktop();
        window.setDesktopGrabber([desktop] { return desktop; });
        window.clickCaptureRegion();
        QCOMPARE(openSelectors().size(), 1);
        openSelectors().first()->cancelSelect();
        QTRY_VERIFY(openSelectors().isEmpty());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.editorDocument()->isOpen());

        window.clickCaptureRegion();
        QCOMPARE(openSelectors().size(), 1);
    }

    void fullScreenCaptureOpensTheWholeDesktop()
    {
        Screenshot window;
        const QPixmap desktop = knownDesktop();
        window.setDesktopGrabber([desktop] { return desktop; });
        window.clickCapture();
        QVERIFY(window.isVisible());
        QCOMPARE(window.editorDocument()->mainPixmap.toImage(), desktop.toImage());
        QVERIFY(openSelectors().isEmpty());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto *view = window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
        QCOMPARE(view->verticalScrollBar()->value(), 0);
    }

    void aRegionAddedToTheOpenDocumentGoesBelow()
    {
        Screenshot window;
        const QPixmap desktop = knownDesktop();
        window.setDesktopGrabber([desktop] { return desktop; });
        window.clickCapture();
        window.clickCaptureRegion();
        QCOMPARE(openSelectors().size(), 1);
        emit openSelectors().first()->regionSelected(QPoint(10, 20), QPoint(59, 49));
        const EditorDocument *document = window.editorDocument();
        QCOMPARE(document->objects.size(), 2);
        QCOMPARE(document->objects.last().bounds.rect(), QRect(0, desktop.height(), 50, 30));
        QCOMPARE(document->history.size(), 2);
    }

    // A grab that yields nothing opens nothing, keeps the open document and lets the next
    // capture through.
    void aFailedGrabEndsTheCaptureCleanly_data()
    {
        QTest::addColumn<bool>("editorOpen");
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("region capture") << false << false;
        QTest::newRow("full-screen capture") << false << true;
        QTest::newRow("region added to the open document") << true << false;
        QTest::newRow("full-screen capture over the open document") << true << true;
    }
    void aFailedGrabEndsTheCaptureCleanly()
    {
        QFETCH(bool, editorOpen);
        QFETCH(bool, fullScreen);
        Screenshot window;
        const QPixmap desktop = knownDesktop();
        window.setDesktopGrabber([desktop] { return desktop; });
        if (editorOpen)
            window.clickCapture();
        const EditorDocument *document = window.editorDocument();
        const int objectsBefore = document->objects.size();

        window.setDesktopGrabber([] { return QPixmap(); });
        fullScreen ? window.clickCapture() : window.clickCaptureRegion();
        QVERIFY(openSelectors().isEmpty());
        QCOMPARE(window.isVisible(), editorOpen);
        QCOMPARE(document->objects.size(), objectsBefore);
        if (editorOpen)
            QVERIFY(!window.isMinimized());

        window.setDesktopGrabber([desktop] { return desktop; });
        window.clickCaptureRegion();
        QCOMPARE(openSelectors().size(), 1);
    }

    void hotKeysComeFromTheSettings()
    {
        settingsStore().setValue(SettingsKeys::RegionCapture, QString());
        settingsStore().setValue(SettingsKeys::OcrScan, QStringLiteral("Ctrl+Alt+Q"));
        Screenshot window;
        QVERIFY(!window.findChild<QxtGlobalShortcut *>(QStringLiteral("regionCapture")));
        const auto *fullScreen =
            window.findChild<QxtGlobalShortcut *>(QStringLiteral("fullScreenCapture"));
        QVERIFY(fullScreen);
        QCOMPARE(fullScreen->shortcut(), QKeySequence(QStringLiteral("Ctrl+Print")));
        const auto *ocr = window.findChild<QxtGlobalShortcut *>(QStringLiteral("ocrScan"));
        QVERIFY(ocr);
        QCOMPARE(ocr->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+Q")));
        settingsStore().clear();
    }
};

QTEST_MAIN(CaptureDispatch)
#include "tst_capturedispatch.moc"
