#include "filestore.h"

#include "credentials.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray &pictureType(const QByteArray &format)
{
    static const QHash<QByteArray, QByteArray> types = {
        {"png", "image/png"},   {"jpeg", "image/jpeg"}, {"gif", "image/gif"},
        {"webp", "image/webp"}, {"bmp", "image/bmp"},
    };
    static const QByteArray none;
    const auto it = types.constFind(format);
    return it == types.constEnd() ? none : *it;
}

} // namespace

FileStore::FileStore(const QString &folder) : root(QDir(folder).absolutePath()) {}

bool FileStore::prepare(QString *error)
{
    for (const char *sub : {"files", "thumbnails", "incoming"}) {
        if (!QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub))) {
            *error = QStringLiteral("cannot create %1/%2").arg(root, QLatin1String(sub));
            return false;
        }
    }
    // Other server processes may share the folder: a body one of them is still receiving is
    // locked, and the lock of a process that died went with it.
    QDirIterator incoming(root + QStringLiteral("/incoming"), QDir::Files);
    while (incoming.hasNext()) {
        const QByteArray path = QFile::encodeName(incoming.next());
        const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(descriptor);
    }
    return true;
}

QString FileStore::newIncomingPath() const
{
    return root + QStringLiteral("/incoming/") + Credentials::newPublicId() +
           QStringLiteral(".part");
}

void FileStore::claimIncoming(int descriptor)
{
    flock(descriptor, LOCK_EX | LOCK_NB);
}

bool FileStore::isPublicId(const QString &id)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]{22}$"));
    return form.match(id).hasMatch();
}

QString FileStore::filePath(const QString &publicId) const
{
    // Two levels of fan-out keep any one folder small.
    return root + QStringLiteral("/files/") + publicId.left(2) + QLatin1Char('/') + publicId;
}

QString FileStore::thumbnailPath(const QString &publicId) const
{
    return root + QStringLiteral("/thumbnails/") + publicId.left(2) + QLatin1Char('/') + publicId +
           QStringLiteral(".png");
}

bool FileStore::store(QIODevice &body, const Multipart::Part &part, const QString &publicId,
                      QString *error) const
{
    const QString path = filePath(publicId);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !Multipart::copy(body, part, file) || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool FileStore::makeThumbnail(const QString &publicId, qint64 maxPixels, int edge) const
{
    QImageReader reader(filePath(publicId));
    const QSize size = reader.size();
    if (!reader.canRead() || size.isEmpty() || qint64(size.width()) * size.height() > maxPixels)
        return false;
    reader.setAutoTransform(true);
    if (size.width() > edge || size.height() > edge)
        reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    const QString path = thumbnailPath(publicId);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        file.cancelWriting();
        return false;
    }
    return true;
}

void FileStore::remove(const QString &publicId) const
{
    QFile::remove(filePath(publicId));
    QFile::remove(thumbnailPath(publicId));
}

QByteArray FileStore::servedType(const QString &publicId, const QByteArray &claimed) const
{
    const QByteArray picture = pictureType(QImageReader::imageFormat(filePath(publicId)));
    if (!picture.isEmpty())
        return picture;
    static const QList<QByteArray> harmless = {
        "video/mp4",        "video/webm",
        "audio/mpeg",       "audio/ogg",
        "audio/wav",        "text/plain",
        "application/pdf",  "application/zip",
        "application/gzip", "application/x-7z-compressed",
    };
    const QByteArray type = claimed.trimmed().toLower();
    return harmless.contains(type) ? type : QByteArray("application/octet-stream");
}

bool FileStore::showsInline(const QByteArray &type)
{
    return type.startsWith("image/") || type.startsWith("video/") || type.startsWith("audio/") ||
           type == "text/plain";
}
