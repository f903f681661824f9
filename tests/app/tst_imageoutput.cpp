#include "editordocument.h"
#include "maineditor.h"
#include "modalresponder.h"
#include "screenshot.h"
#include "settingskeys.h"

#include "../support/pngfixtures.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QPixmap capture(const QSize &size, const QColor &color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

QString savedFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/Quorvel/";
}

// Drags the files onto the window and, when the drag is accepted, drops them there, as the
// window system does. Returns whether the drag was accepted.
bool dropFiles(QWidget *window, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return true;
}

QScrollArea *scrollArea(const Screenshot &window)
{
    return window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
}

// Lets the window lay itself out and run what it scheduled for the next pass of the event loop.
void settle(Screenshot &window)
{
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

int pictureCount(const EditorDocument *document)
{
    return int(std::count_if(document->objects.cbegin(), document->objects.cend(),
                             [](const DrawObject &o) { return o.kind == ToolKind::Picture; }));
}

} // namespace

class ImageOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(savedFolder()).removeRecursively();
    }

    void savingTwiceSuggestsTheNextFreeName()
    {
        Screenshot window;
        QString suggested;
        for (const char *expected : {"screenshot1.png", "screenshot2.png"}) {
            window.editorDocument()->startFromImage(capture(QSize(64, 48), Qt::green));
            window.show();
            ModalResponder responder(
                {ModalResponder::saveAs(savedFolder() + expected, &suggested)});
            window.clickSave();
            QVERIFY(responder.finished());
            QCOMPARE(suggested, savedFolder() + expected);
            QCOMPARE(QImage(savedFolder() + expected).size(), QSize(64, 48));
            QVERIFY(!window.isVisible());
            QVERIFY(!window.editorDocument()->isOpen());
        }
    }

    void aJpgNameStillGetsPngData()
    {
        Screenshot window;
        window.editorDocument()->startFromImage(capture(QSize(30, 20), Qt::blue));
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        ModalResponder responder({ModalResponder::saveAs(path)});
        window.clickSave();
        QVERIFY(responder.finished());
        QVERIFY2(responder.messages.isEmpty(), qPrintable(responder.messages.join(';')));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == QByteArray("\x89PNG"));
    }

    void aFailedSaveKeepsTheDocumentAndSaysSo()
    {
        Screenshot window;
        window.editorDocument()->startFromImage(capture(QSize(30, 20), Qt::blue));
        window.show();
        QTemporaryDir dir;
        const QString folder = dir.filePath("vanishing");
        QDir().mkpath(folder);
        // The folder disappears between the choice and the write, as an unplugged drive would.
        ModalResponder responder({[folder](QWidget *widget) {
                                      ModalResponder::saveAs(folder + "/x.png")(widget);
                                      QDir(folder).removeRecursively();
                                  },
                                  acknowledge()});
        window.clickSave();
        QVERIFY(responder.finished());
        QCOMPARE(responder.messages.size(), 1);
        QVERIFY(responder.messages.first().contains(folder + "/x.png"));
        QVERIFY(window.editorDocument()->isOpen());
        QVERIFY(window.isVisible());
    }

    void saveWithoutACaptureAsksForOne()
    {
        Screenshot window;
        ModalResponder responder({acknowledge()});
        window.clickSave();
        QCOMPARE(responder.messages, QStringList{"Capture screen first"});
    }

    void copyPutsTheResultOnTheClipboardAndKeepsTheEditor()
    {
        Screenshot window;
        window.editorDocument()->startFromImage(capture(QSize(40, 30), QColor(200, 10, 10)));
        window.show();
        QMetaObject::invokeMethod(&window, "on_bt_copy_clicked");
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(40, 30));
        QCOMPARE(copied.pixelColor(20, 15), QColor(200, 10, 10));
        QVERIFY(window.editorDocument()->isOpen());
    }

    void dropsOpenImageSuffixesInAnyCaseAndRefuseTheRestAtTheDrag()
    {
        QTemporaryDir dir;
        const QImage image = capture(QSize(20, 20), Qt::red).toImage();
        for (const char *name : {"photo.PNG", "archive.tar.png", "good.png", "notes.txt"})
            QVERIFY(image.save(dir.filePath(name), "png"));
        Screenshot window;
        QVERIFY(!dropFiles(&window, {dir.filePath("archive.tar.png"), dir.filePath("notes.txt")}));
        QVERIFY(!window.editorDocument()->isOpen());
        QVERIFY(dropFiles(&window, {dir.filePath("photo.PNG")}));
        QCOMPARE(pictureCount(window.editorDocument()), 1);
        QVERIFY(window.isVisible());
        QVERIFY(dropFiles(&window, {dir.filePath("archive.tar.png"), dir.filePath("good.png")}));
        QCOMPARE(pictureCount(window.editorDocument()), 2);
    }

    void largeImagesArriveAndHugeOnesAreRefusedAsTooLarge_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("opens");
        for (const char *way : {"open", "drop", "paste"}) {
            // Over Qt's default decoding limit, as photos and scans are.
            QTest::addRow("%s 6000 x 6000", way) << way << QSize(6000, 6000) << true;
            QTest::addRow("%s bomb", way) << way << QSize(100000, 100000) << false;
        }
    }
    void largeImagesArriveAndHugeOnesAreRefusedAsTooLarge()
    {
        QFETCH(QString, way);
        QFETCH(QSize, size);
        QFETCH(bool, opens);
        const QByteArray png =
            opens ? PngFixtures::solidPng(size) : PngFixtures::declaringPng(size);
        QTemporaryDir dir;
        const QString path = dir.filePath("large.png");
        writeFile(path, png);
        Screenshot window;
        ModalResponder responder({acknowledge()});
        if (way == "open") {
            window.openFile(path);
        } else if (way == "drop") {
            QVERIFY(dropFiles(&window, {path}));
        } else {
            auto *data = new QMimeData;
            data->setData(QStringLiteral("image/png"), png);
            QGuiApplication::clipboard()->setMimeData(data);
            window.pasteImage();
        }
        if (opens) {
            QVERIFY2(responder.messages.isEmpty(), qPrintable(responder.messages.join(';')));
            QCOMPARE(window.editorDocument()->mainPixmap.size(), size);
            QCOMPARE(window.editorCanvas()->size(), size);
        } else {
            QTRY_COMPARE(responder.messages,
                         QStringList{"Image is too large to open (100000 × 100000 pixels)!"});
            QVERIFY(!window.editorDocument()->isOpen());
        }
    }

    void aCaptureThatFitsTheScreenShowsWithoutScrollBars_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("horizontalBar");
        QTest::addColumn<bool>("verticalBar");
        QTest::newRow("801 x 551") << QSize(801, 551) << false << false;
        QTest::newRow("too tall") << QSize(1800, 900) << false << true;
        QTest::newRow("too wide") << QSize(1900, 500) << true << false;
        QTest::newRow("whole screen") << QSize(1920, 1080) << true << true;
    }
    void aCaptureThatFitsTheScreenShowsWithoutScrollBars()
    {
        QFETCH(QSize, size);
        QFETCH(bool, horizontalBar);
        QFETCH(bool, verticalBar);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1920, 1080));
        Screenshot window;
        window.setDesktopGrabber([size] { return capture(size, Qt::darkCyan); });
        window.clickCapture();
        settle(window);
        const QScrollArea *area = scrollArea(window);
        QCOMPARE(area->horizontalScrollBar()->isVisible(), horizontalBar);
        QCOMPARE(area->verticalScrollBar()->isVisible(), verticalBar);
        QVERIFY(QRect(QPoint(0, 0), QGuiApplication::primaryScreen()->availableSize())
                    .contains(window.frameGeometry()));
    }

    void anAddedPictureIsScrolledIntoViewWithoutASideScrollBar()
    {
        Screenshot window;
        window.setDesktopGrabber([] { return capture(QSize(801, 551), Qt::darkCyan); });
        window.clickCapture();
        settle(window);
        window.addPicture(capture(QSize(600, 500), Qt::yellow));
        settle(window);
        const QScrollArea *area = scrollArea(window);
        QVERIFY(area->verticalScrollBar()->isVisible());
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        const QRect shown(QPoint(0, area->verticalScrollBar()->value()), area->viewport()->size());
        QVERIFY2(shown.contains(QRect(0, 551, 600, 500)),
                 qPrintable(QStringLiteral("the view starts at %1").arg(shown.top())));
    }

    void handOffsWithinOneSecondGetFilesOfTheirOwn()
    {
        settingsStore().setValue(SettingsKeys::ExternalEditor, QStringLiteral("true"));
        const QDir temp(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
        const QStringList pattern{QStringLiteral("screenshot_*.png")};
        const qsizetype before = temp.entryList(pattern, QDir::Files).size();
        Screenshot window;
        for (int n = 0; n < 2; ++n) {
            window.editorDocument()->startFromImage(capture(QSize(30, 20), Qt::blue));
            window.show();
            QVERIFY(QMetaObject::invokeMethod(&window, "on_bt_external_editor_clicked"));
            QVERIFY(!window.editorDocument()->isOpen());
        }
        settingsStore().remove(SettingsKeys::ExternalEditor);
        QCOMPARE(temp.entryList(pattern, QDir::Files).size(), before + 2);
    }

    void brokenOrTinyImagesAreRefusedWithAMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        capture(QSize(50, 50), Qt::red).save(&buffer, "png");
        QByteArray tiny;
        QBuffer tinyBuffer(&tiny);
        tinyBuffer.open(QIODevice::WriteOnly);
        capture(QSize(9, 100), Qt::red).save(&tinyBuffer, "png");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << png.left(png.size() / 2);
        QTest::newRow("not an image") << QByteArray("GIF89a but not really");
        QTest::newRow("9 x 100") << tiny;
    }
    void brokenOrTinyImagesAreRefusedWithAMessage()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile file(dir.filePath("input.png"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        Screenshot window;
        window.editorDocument()->startFromImage(capture(QSize(40, 40), Qt::white));
        const QList<DrawObject> before = window.editorDocument()->objects;
        ModalResponder opened({acknowledge()});
        window.openFile(file.fileName());
        ModalResponder dropped({acknowledge()});
        dropFiles(&window, {file.fileName()});
        QCOMPARE(opened.messages + dropped.messages,
                 QStringList({"Image very small or is broken!", "Image very small or is broken!"}));
        QCOMPARE(window.editorDocument()->objects, before);
        QCOMPARE(window.editorDocument()->history.size(), 1);
    }

    void pastingATinyImageIsRefused()
    {
        Screenshot window;
        QGuiApplication::clipboard()->setImage(capture(QSize(9, 100), Qt::red).toImage());
        ModalResponder responder({acknowledge()});
        window.pasteImage();
        QCOMPARE(responder.messages, QStringList{"Image very small or is broken!"});
        QVERIFY(!window.editorDocument()->isOpen());
    }

    void theFirstImageReplacesTheBlankCanvasAndTheNextGoesBelow()
    {
        Screenshot window;
        window.openEditor();
        QVERIFY(window.isVisible());
        EditorDocument *document = window.editorDocument();
        QVERIFY(document->blankDocument);
        QCOMPARE(pictureCount(document), 1);

        window.addPicture(capture(QSize(120, 70), Qt::red));
        QVERIFY(!document->blankDocument);
        QCOMPARE(pictureCount(document), 1);
        QCOMPARE(document->objects.first().bounds.rect(), QRect(0, 0, 120, 70));
        QCOMPARE(document->mainPixmap.size(), QSize(120, 70));

        window.addPicture(capture(QSize(50, 40), Qt::blue));
        QCOMPARE(pictureCount(document), 2);
        QCOMPARE(document->objects.last().bounds.rect(), QRect(0, 70, 50, 40));
        QCOMPARE(window.editorCanvas()->size(), QSize(120, 110));
        const QImage result = window.editorCanvas()->renderResult().toImage();
        QCOMPARE(result.pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(result.pixelColor(10, 100), QColor(Qt::blue));
        QCOMPARE(result.pixelColor(100, 100), QColor(Qt::white));
    }

    void filesOver100MiBAreNotSent()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath("big.bin"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(104857601));
        big.close();
        Screenshot window;
        ModalResponder responder({ModalResponder::open(big.fileName()), acknowledge()});
        window.sendAnyFile();
        QCOMPARE(responder.messages, QStringList{"You can't send file more then 100Mb. Sorry!"});
    }
};

int main(int argc, char **argv)
{
    // The window sizing is checked on a screen of a known size, not the platform's default.
    QTemporaryDir dir;
    QFile screens(dir.filePath(QStringLiteral("screens.json")));
    if (!screens.open(QIODevice::WriteOnly))
        return 1;
    screens.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication app(argc, argv);
    ImageOutput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_imageoutput.moc"
