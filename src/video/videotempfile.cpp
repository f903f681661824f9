#include "videotempfile.h"

#include "wholewrite.h"

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
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && writeAll(file, data))
        return true;
    file.close();
    QFile::remove(path);
    return false;
}

} // namespace VideoTempFile
