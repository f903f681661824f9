#include "imagefiles.h"

#include "wholewrite.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPixmap>
#include <QSaveFile>
#include <QUrl>

namespace ImageFiles {

namespace {

QByteArray encodePng(const QImage &image, QString *errorText)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (writer.write(image))
        return png;
    if (errorText)
        *errorText = writer.errorString();
    return {};
}

bool writeFileOver(const QString &path, const QByteArray &bytes, QString *errorText)
{
    // A new file renamed over a device would replace the device node itself.
    if (const QFileInfo target(path); target.exists() && !target.isFile()) {
        QFile file(path);
        const bool written = file.open(QIODevice::WriteOnly) && writeAll(file, bytes);
        *errorText = file.errorString();
        return written;
    }
    QSaveFile file(path);
    // Where the folder refuses new files, an existing writable file is overwritten in place.
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.commit();
    *errorText = file.errorString();
    return written;
}

// Qt's default decoding limit is a fixed number of megabytes, far below what the editor takes.
// The editor's rule is checked on the declared size first, so the limit only has to admit that
// rule at the widest pixel format (64 bits per pixel).
void allowEditorSizedDecoding()
{
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 8 / (1024 * 1024)));
}

LoadedImage checkedForSize(const QImage &image)
{
    LoadedImage loaded;
    loaded.size = image.size();
    if (fitsEditor(loaded.size))
        loaded.image = image;
    else
        loaded.tooLarge = true;
    return loaded;
}

LoadedImage read(QImageReader &reader)
{
    LoadedImage loaded;
    loaded.size = reader.size();
    if (loaded.size.isValid() && !fitsEditor(loaded.size)) {
        loaded.tooLarge = true;
        return loaded;
    }
    allowEditorSizedDecoding();
    return checkedForSize(reader.read());
}

} // namespace

bool fitsEditor(const QSize &size)
{
    return size.width() <= MaxPictureSide && size.height() <= MaxPictureSide &&
           qint64(size.width()) * size.height() <= MaxPicturePixels;
}

QString suggestedSavePath(const QString &folder)
{
    QString path = folder + QStringLiteral("screenshot1.png");
    for (int number = 2; QFile::exists(path) && number <= 301; ++number)
        path = folder + QStringLiteral("screenshot%1.png").arg(number);
    return path;
}

bool savePng(const QImage &image, const QString &path, QString *errorText)
{
    QString error;
    const QByteArray png = encodePng(image, &error);
    const bool saved = !png.isEmpty() && writeFileOver(path, png, &error);
    if (!saved && errorText)
        *errorText = error;
    return saved;
}

QString writeHandOffPng(const QImage &image, const QString &stem)
{
    const QByteArray png = encodePng(image, nullptr);
    if (png.isEmpty())
        return {};
    for (int number = 1; number <= 100; ++number) {
        const QString path = number == 1 ? stem + QStringLiteral(".png")
                                         : QStringLiteral("%1_%2.png").arg(stem).arg(number);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            if (writeAll(file, png))
                return path;
            file.remove();
            return {};
        }
        const QFileInfo taken(path);
        if (!taken.exists() && !taken.isSymLink())
            return {};
    }
    return {};
}

LoadedImage loadImage(const QString &path)
{
    QImageReader reader(path);
    return read(reader);
}

LoadedImage decodeImage(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return read(reader);
}

LoadedImage pastedImage(const QMimeData *data)
{
    if (!data)
        return {};
    // Qt's own conversion of another program's picture would apply its default decoding limit
    // and report a large picture as broken.
    const QStringList formats = data->formats();
    for (const QString &format : formats) {
        if (!format.startsWith(QLatin1String("image/")))
            continue;
        LoadedImage loaded = decodeImage(data->data(format));
        if (!loaded.image.isNull() || loaded.tooLarge)
            return loaded;
    }
    return data->hasImage() ? checkedForSize(qvariant_cast<QImage>(data->imageData()))
                            : LoadedImage();
}

bool isUsablePicture(const QPixmap &pixmap)
{
    return !pixmap.isNull() && pixmap.width() > 9 && pixmap.height() > 9;
}

bool isDroppableImage(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    static const QStringList suffixes = {QStringLiteral("gif"), QStringLiteral("png"),
                                         QStringLiteral("jpeg"), QStringLiteral("jpg")};
    return suffixes.contains(QFileInfo(url.toLocalFile()).completeSuffix(), Qt::CaseInsensitive);
}

} // namespace ImageFiles
