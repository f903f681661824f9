#pragma once

// The upload's multipart/form-data body: one part named "file". The file name is written as it
// stands except for CR and LF, which are percent-encoded as browsers do.

#include <QByteArray>
#include <QString>

namespace UploadBody {

inline constexpr char Boundary[] = "1BEF0A57BE110FD467A";

QByteArray build(const QString &fileName, const QString &mimeType, const QByteArray &content);
QByteArray contentType();

} // namespace UploadBody
