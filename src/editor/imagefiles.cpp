#include "imagefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QUrl>

namespace ImageFiles {

QString suggestedSavePath(const QString &folder)
{
    QString path = folder + QStringLiteral("screenshot1.png");
    for (int number = 2; QFile::exists(path) && number <= 301; ++number)
        path = folder + QStringLiteral("screenshot%1.png").arg(number);
    return path;
}

bool savePng(const QImage &image, const QString &path, QString *errorText)
{
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    const bool saved = file.open(QIODevice::WriteOnly) && writer.write(image) && file.commit();
    if (!saved && errorText)
        *errorText = writer.error() != QImageWriter::UnknownError ? writer.errorString()
                                                                  : file.errorString();
    return saved;
}

bool writeHandOffPng(const QImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    if (image.save(&file, "png") && file.flush())
        return true;
    file.remove();
    return false;
}

QImage loadImage(const QString &path)
{
    QImageReader reader(path);
    return reader.read();
}

bool isUsablePicture(const QPixmap &pixmap)
{
    return !pixmap.isNull() && pixmap.width() > 9 && pixmap.height() > 9;
}

bool isDroppableImage(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QString suffix = QFileInfo(url.toLocalFile()).completeSuffix();
    return suffix == QLatin1String("gif") || suffix == QLatin1String("png") ||
           suffix == QLatin1String("jpeg") || suffix == QLatin1String("jpg");
}

} // namespace ImageFiles
