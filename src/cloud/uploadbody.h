#pragma once

// The upload's multipart/form-data body: one part named "file", the name written unescaped.

#include <QByteArray>
#include <QString>

namespace UploadBody {

inline constexpr char Boundary[] = "1BEF0A57BE110FD467A";

QByteArray build(const QString &fileName, const QString &mimeType, const QByteArray &content);
QByteArray contentType();

} // namespace UploadBody
