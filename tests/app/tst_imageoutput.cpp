#include "editordocument.h"
#include "maineditor.h"
#include "modalresponder.h"
#include "screenshot.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
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

void dropFiles(QWidget *window, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
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

    void dropsOpenOnlyExactImageSuffixes()
    {
        QTemporaryDir dir;
        const QImage image = capture(QSize(20, 20), Qt::red).toImage();
        for (const char *name : {"photo.JPG", "archive.tar.png", "good.png"})
            QVERIFY(image.save(dir.filePath(name), "png"));
        Screenshot window;
        dropFiles(&window, {dir.filePath("photo.JPG"), dir.filePath("archive.tar.png")});
        QVERIFY(!window.editorDocument()->isOpen());
        dropFiles(&window, {dir.filePath("good.png")});
        QCOMPARE(pictureCount(window.editorDocument()), 1);
        QVERIFY(window.isVisible());
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

QTEST_MAIN(ImageOutput)
#include "tst_imageoutput.moc"
