#pragma once

#include <QByteArray>
#include <QString>

// The recorder's files in the temporary folder: the recording and the videos made from it.
namespace VideoTempFile {

// The temporary folder plus the pattern, whose %1 becomes a random number.
QString newPath(const char *pattern);
// Writes every byte or nothing: a partial file is removed.
bool writeWhole(const QString &path, const QByteArray &data);

} // namespace VideoTempFile
