#include "uploadbody.h"

namespace UploadBody {

QByteArray build(const QString &fileName, const QString &mimeType, const QByteArray &content)
{
    const QByteArray crlf("\r\n");
    QByteArray body;
    body.reserve(content.size() + 256);
    body += "--" + QByteArray(Boundary) + crlf;
    body += "Content-Disposition: form-data; name=\"file\"; filename=\"" + fileName.toUtf8() +
            "\"" + crlf;
    body += "Content-Type: " + mimeType.toUtf8() + crlf + crlf;
    body += content;
    body += crlf + "--" + QByteArray(Boundary) + "--" + crlf;
    return body;
}

QByteArray contentType()
{
    return QByteArray("multipart/form-data; boundary=") + Boundary;
}

} // namespace UploadBody
