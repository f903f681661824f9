#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtTest>

// Every picture the program names by its resource path is compiled in and decodes.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void pictureLoads_data();
    void pictureLoads();
    void cursorTipIsAtTheHotSpot();
};

void TestResources::pictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    QTest::newRow("tray icon") << ":/favicon.ico" << QSize(16, 16);
    QTest::newRow("window icon") << ":/icon_main.png" << QSize(256, 256);
    QTest::newRow("cursor") << ":/cursors/cursor_win.png" << QSize(32, 32);
    QTest::newRow("cursor 2x") << ":/cursors/cursor_win@2x.png" << QSize(64, 64);
    QTest::newRow("login background") << ":/photobg.jpg" << QSize(480, 360);
    QTest::newRow("loading") << ":/loading.gif" << QSize(48, 48);

    const QStringList buttons = {"crop",       "arrow",       "line",      "square", "text",
                                 "blur",       "add_picture", "add_photo", "undo",   "redo",
                                 "size_minus", "size_plus",   "copy",      "save",   "upload",
                                 "font2",      "write56"};
    for (const QString &name : buttons) {
        for (const char *state : {"n", "h", "a"}) {
            const QString path =
                QString(":/buttons/buttons/%1_%2.png").arg(name, QLatin1String(state));
            QTest::newRow(qPrintable(path)) << path << QSize(32, 32);
        }
    }

    const QStringList icons = {"black302",
                               "interface",
                               "copy",
                               "done",
                               "configuration30",
                               "keyboard12",
                               "socialnetwork317",
                               "facebook53",
                               "socialnetwork303",
                               "twitter25",
                               "socialnetwork315"};
    for (const QString &name : icons) {
        const QString path = QString(":/svg/svg/%1.svg").arg(name);
        QTest::newRow(qPrintable(path)) << path << QSize();
    }
}

void TestResources::pictureLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    QVERIFY2(QFile::exists(path), qPrintable(path));
    if (path.endsWith(".svg")) {
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QVERIFY(!renderer.defaultSize().isEmpty());
    } else if (path.endsWith(".gif")) {
        QMovie movie(path);
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() > 1);
        QVERIFY(movie.jumpToFrame(0));
        QCOMPARE(movie.currentImage().size(), size);
    } else {
        if (path.endsWith(".ico")) {
            // One picture for each tray size, 16 to 64 px; the 16 px one comes first.
            QImageReader reader(path);
            QCOMPARE(reader.imageCount(), 5);
        }
        const QPixmap pixmap(path);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size);
    }
}

void TestResources::cursorTipIsAtTheHotSpot()
{
    const QImage cursor(":/cursors/cursor_win.png");
    QCOMPARE(qAlpha(cursor.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(cursor.pixel(1, 0)), 0);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
