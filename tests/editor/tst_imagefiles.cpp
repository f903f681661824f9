#include "imagefiles.h"

#include "../support/pngfixtures.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

// Noise does not compress: its PNG is about as large as its pixels.
QImage noiseImage(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate());
    return image;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Root passes every permission check, and the folder tests need the checks a user meets. The
// override leaves only the effective set, so it stays permitted and comes back afterwards.
class WithoutPermissionOverride
{
public:
    WithoutPermissionOverride() { setOverride(false); }
    ~WithoutPermissionOverride() { setOverride(true); }

private:
    static void setOverride(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        syscall(SYS_capget, &header, data);
        const quint32 bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        data[0].effective =
            on ? data[0].effective | (bits & data[0].permitted) : data[0].effective & ~bits;
        syscall(SYS_capset, &header, data);
    }
};

// A device that takes no byte and answers "No space left on device". Root saving to /dev/full
// would do it through a temporary file in /dev if the code regressed, so root gets a node of its
// own in a temporary folder.
QString fullDevice(const QTemporaryDir &dir)
{
    if (geteuid() != 0)
        return QStringLiteral("/dev/full");
    const QString path = dir.filePath(QStringLiteral("full"));
    if (mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        return {};
    // A folder mounted without devices lets the node be made but not opened.
    QFile device(path);
    return device.open(QIODevice::WriteOnly) ? path : QString();
}

// A real full filesystem: 64 KiB of tmpfs, mounted in a mount namespace of this thread's own
// (private, so nothing reaches the machine's mounts). Only where the test may mount.
bool mountTinyFilesystem(const QString &folder)
{
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
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

    void aFullDiskSaysWhy_data()
    {
        QTest::addColumn<bool>("onAFilesystem");
        QTest::newRow("device") << false;
        QTest::newRow("filesystem") << true;
    }
    void aFullDiskSaysWhy()
    {
        QFETCH(bool, onAFilesystem);
        QTemporaryDir dir;
        QString path;
        if (onAFilesystem) {
            const QString folder = dir.filePath("small");
            QVERIFY(QDir().mkpath(folder));
            if (!mountTinyFilesystem(folder))
                QSKIP("mounting a small filesystem needs root");
            path = folder + "/kept.png";
            writeFile(path, "old contents");
        } else {
            path = fullDevice(dir);
            if (path.isEmpty())
                QSKIP("no device node can be made here");
        }
        QString error;
        QVERIFY(!ImageFiles::savePng(noiseImage(QSize(300, 300)), path, &error));
        QCOMPARE(error, QStringLiteral("No space left on device"));
        if (onAFilesystem) {
            QCOMPARE(fileContents(path), QByteArray("old contents"));
            QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"kept.png"});
            QVERIFY(umount2(QFile::encodeName(QFileInfo(path).path()).constData(), MNT_DETACH) ==
                    0);
        } else {
            QVERIFY(!QFileInfo(path).isFile());
        }
    }

    void savesOverAFileInAFolderThatRefusesNewOnes()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("locked");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/kept.png";
        writeFile(path, "old contents");
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        {
            WithoutPermissionOverride asAUser;
            QString error;
            QVERIFY2(ImageFiles::savePng(sampleImage(), path, &error), qPrintable(error));
            QVERIFY(!ImageFiles::savePng(sampleImage(), folder + "/new.png", &error));
        }
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
        QCOMPARE(QImage(path).size(), QSize(40, 30));
        QVERIFY(!QFile::exists(folder + "/new.png"));
    }

    void handOffFilesAreExclusiveAndPrivate()
    {
        QTemporaryDir dir;
        const QString stem = dir.filePath("screenshot_1");
        QCOMPARE(ImageFiles::writeHandOffPng(sampleImage(), stem), stem + ".png");
        QCOMPARE(QFile::permissions(stem + ".png") & 0x0077, QFileDevice::Permissions());
        QCOMPARE(QImage(stem + ".png").size(), QSize(40, 30));
        // A second hand-off within the same second gets a name of its own.
        QCOMPARE(ImageFiles::writeHandOffPng(sampleImage(), stem), stem + "_2.png");

        const QString victim = dir.filePath("victim");
        writeFile(victim, "precious");
        const QString linked = dir.filePath("screenshot_2");
        QVERIFY(QFile::link(victim, linked + ".png"));
        QCOMPARE(ImageFiles::writeHandOffPng(sampleImage(), linked), linked + "_2.png");
        QCOMPARE(fileContents(victim), QByteArray("precious"));
        QVERIFY(ImageFiles::writeHandOffPng(sampleImage(), dir.filePath("missing/x")).isEmpty());
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
        const ImageFiles::LoadedImage loaded = ImageFiles::loadImage(path);
        QCOMPARE(!loaded.image.isNull(), loads);
        QVERIFY(!loaded.tooLarge);
    }

    void largePicturesOpenAndLargerOnesAreRefusedUndecoded_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("opens");
        QTest::newRow("16384 x 16384") << QSize(16384, 16384) << true;
        QTest::newRow("2000 x 30000") << QSize(2000, 30000) << true;
        QTest::newRow("just over the area") << QSize(16385, 16384) << false;
        QTest::newRow("side over the painter's range") << QSize(32768, 100) << false;
        QTest::newRow("20000 x 20000") << QSize(20000, 20000) << false;
        QTest::newRow("bomb of 100000 x 100000") << QSize(100000, 100000) << false;
    }
    void largePicturesOpenAndLargerOnesAreRefusedUndecoded()
    {
        QFETCH(QSize, size);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = dir.filePath("large.png");
        // The refused ones only declare their size: nothing may be decoded to refuse them.
        writeFile(path, opens ? PngFixtures::solidPng(size) : PngFixtures::declaringPng(size));
        QElapsedTimer timer;
        timer.start();
        const ImageFiles::LoadedImage loaded = ImageFiles::loadImage(path);
        qInfo("%d x %d read in %lld ms", size.width(), size.height(), timer.elapsed());
        QCOMPARE(loaded.image.isNull(), !opens);
        if (opens)
            QCOMPARE(loaded.image.size(), size);
        QCOMPARE(loaded.tooLarge, !opens);
        QCOMPARE(loaded.size, size);
        if (opens)
            QCOMPARE(loaded.image.pixelColor(size.width() - 1, size.height() - 1),
                     QColor(Qt::black));
    }

    void pastedPicturesFollowTheSameRules()
    {
        QMimeData encoded;
        encoded.setData("image/png", PngFixtures::solidPng(QSize(9000, 9000)));
        QCOMPARE(ImageFiles::pastedImage(&encoded).image.size(), QSize(9000, 9000));

        QMimeData bomb;
        bomb.setData("text/plain", "not a picture");
        bomb.setData("image/png", PngFixtures::declaringPng(QSize(100000, 100000)));
        const ImageFiles::LoadedImage refused = ImageFiles::pastedImage(&bomb);
        QVERIFY(refused.tooLarge);
        QCOMPARE(refused.size, QSize(100000, 100000));

        QMimeData decoded;
        decoded.setImageData(sampleImage());
        QCOMPARE(ImageFiles::pastedImage(&decoded).image, sampleImage());
        QMimeData text;
        text.setText("hello");
        const ImageFiles::LoadedImage nothing = ImageFiles::pastedImage(&text);
        QVERIFY(nothing.image.isNull() && !nothing.tooLarge);
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
        QTest::newRow("upper case") << QUrl::fromLocalFile("/tmp/photo.PNG") << true;
        QTest::newRow("mixed case") << QUrl::fromLocalFile("/tmp/photo.Jpeg") << true;
        QTest::newRow("double suffix") << QUrl::fromLocalFile("/tmp/archive.tar.png") << false;
        QTest::newRow("upper double suffix") << QUrl::fromLocalFile("/tmp/a.TAR.PNG") << false;
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
