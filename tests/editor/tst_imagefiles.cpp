#include "imagefiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QImage sampleImage()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

QByteArray pngBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sampleImage().save(&buffer, "png");
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ImageFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void suggestsTheFirstFreeScreenshotName()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        QCOMPARE(ImageFiles::suggestedSavePath(folder), folder + "screenshot1.png");
        writeFile(folder + "screenshot1.png", "x");
        QCOMPARE(ImageFiles::suggestedSavePath(folder), folder + "screenshot2.png");
        for (int n = 2; n <= 301; ++n)
            writeFile(folder + QStringLiteral("screenshot%1.png").arg(n), "x");
        QCOMPARE(ImageFiles::suggestedSavePath(folder), folder + "screenshot301.png");
    }

    void savesPngWhateverTheExtension()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        QVERIFY(ImageFiles::savePng(sampleImage(), path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(8).startsWith("\x89PNG"));
    }

    void aFailedSaveKeepsTheFileItWouldReplace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.png");
        writeFile(path, "old contents");
        QString error;
        QVERIFY(!ImageFiles::savePng(QImage(), path, &error));
        QVERIFY(!error.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old contents"));
        QVERIFY(!ImageFiles::savePng(sampleImage(), dir.filePath("missing/folder/x.png"), &error));
    }

    void handOffFilesAreExclusiveAndPrivate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("screenshot_1.png");
        QVERIFY(ImageFiles::writeHandOffPng(sampleImage(), path));
        QCOMPARE(QFile::permissions(path) & 0x0077, QFileDevice::Permissions());
        QCOMPARE(QImage(path).size(), QSize(40, 30));
        QVERIFY(!ImageFiles::writeHandOffPng(sampleImage(), path));

        const QString victim = dir.filePath("victim");
        writeFile(victim, "precious");
        const QString link = dir.filePath("screenshot_2.png");
        QVERIFY(QFile::link(victim, link));
        QVERIFY(!ImageFiles::writeHandOffPng(sampleImage(), link));
        QFile file(victim);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("precious"));
    }

    void brokenFilesLoadAsNull_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray png = pngBytes();
        QTest::newRow("png") << png << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("truncated") << png.left(png.size() / 2) << false;
        QTest::newRow("garbage") << QByteArray("definitely not an image") << false;
    }
    void brokenFilesLoadAsNull()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        const QString path = dir.filePath("input.png");
        writeFile(path, bytes);
        QCOMPARE(!ImageFiles::loadImage(path).isNull(), loads);
    }

    void picturesNeedMoreThanNinePixels()
    {
        QVERIFY(!ImageFiles::isUsablePicture(QPixmap()));
        QVERIFY(!ImageFiles::isUsablePicture(QPixmap(9, 100)));
        QVERIFY(!ImageFiles::isUsablePicture(QPixmap(100, 9)));
        QVERIFY(ImageFiles::isUsablePicture(QPixmap(10, 10)));
    }

    void dropsNeedAnExactImageSuffix_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("png") << QUrl::fromLocalFile("/tmp/a.png") << true;
        QTest::newRow("jpeg") << QUrl::fromLocalFile("/tmp/a.jpeg") << true;
        QTest::newRow("gif") << QUrl::fromLocalFile("/tmp/a.gif") << true;
        QTest::newRow("upper case") << QUrl::fromLocalFile("/tmp/photo.JPG") << false;
        QTest::newRow("double suffix") << QUrl::fromLocalFile("/tmp/archive.tar.png") << false;
        QTest::newRow("bmp") << QUrl::fromLocalFile("/tmp/a.bmp") << false;
        QTest::newRow("remote") << QUrl("https://example.com/a.png") << false;
    }
    void dropsNeedAnExactImageSuffix()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, accepted);
        QCOMPARE(ImageFiles::isDroppableImage(url), accepted);
    }
};

QTEST_MAIN(ImageFilesTest)
#include "tst_imagefiles.moc"
