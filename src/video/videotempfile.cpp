#include "videotempfile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace VideoTempFile {

QString newPath(const char *pattern)
{
    return QDir::tempPath() +
           QString::fromLatin1(pattern).arg(QRandomGenerator::global()->generate());
}

bool writeWhole(const QString &path, const QByteArray &data)
{
    // The file buffers, so only the flush tells whether every byte reached the disk.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush())
        return true;
    file.close();
    QFile::remove(path);
    return false;
}

} // namespace VideoTempFile
