#include "uploadbody.h"

namespace UploadBody {

QByteArray build(const QString &fileName, const QString &mimeType, const QByteArray &content)
{
    // A line break in the name would end the header and let the name write headers of its own.
    // Quotes stay as they are: the service reads the name up to the line's last quote.
    QByteArray name = fileName.toUtf8();
    name.replace('\r', "%0D").replace('\n', "%0A");
    const QByteArray crlf("\r\n");
    QByteArray body;
    body.reserve(content.size() + 256);
    body += "--" + QByteArray(Boundary) + crlf;
    body += "Content-Disposition: form-data; name=\"file\"; filename=\"" + name + "\"" + crlf;
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
