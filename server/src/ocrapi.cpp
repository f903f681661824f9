#include "ocrapi.h"

#include "credentials.h"
#include "multipart.h"
#include "recognizer.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

namespace {

constexpr qint64 FieldBytes = 128;

bool matches(const QByteArray &value, const char *pattern)
{
    return QRegularExpression(QLatin1String(pattern)).match(QString::fromLatin1(value)).hasMatch();
}

} // namespace

HttpResponse OcrApi::recognize(const HttpRequest &request)
{
    QFile body(request.bodyFile);
    if (!body.open(QIODevice::ReadOnly))
        return HttpResponse::error(400, QStringLiteral("missing body"));
    const Multipart::Parsed parsed =
        Multipart::parse(body, Multipart::boundaryOf(request.header("content-type")));
    if (!parsed.ok())
        return HttpResponse::error(400, QStringLiteral("malformed request: ") + parsed.error);
    QHash<QByteArray, QByteArray> fields;
    for (const char *name : {"uuid", "ts", "nonce", "signature"}) {
        const Multipart::Part *part = parsed.find(name);
        bool ok = false;
        const QByteArray value =
            part ? Multipart::read(body, *part, FieldBytes, &ok) : QByteArray();
        if (!ok || value.isEmpty())
            return HttpResponse::error(
                400, QStringLiteral("missing or oversized field %1").arg(QLatin1String(name)));
        fields.insert(name, value);
    }
    const Multipart::Part *file = parsed.find("file");
    if (!file || file->length == 0)
        return HttpResponse::error(400, QStringLiteral("missing image"));

    const QByteArray &ts = fields["ts"];
    if (!matches(ts, "^[0-9]{1,12}$") || !matches(fields["signature"], "^[0-9a-f]{64}$"))
        return HttpResponse::error(400, QStringLiteral("malformed timestamp or signature"));
    const QByteArray message = fields["uuid"] + '|' + ts + '|' + fields["nonce"];
    if (!Credentials::signatureMatches(message, context.config.ocrKey, fields["signature"]))
        return HttpResponse::error(403, QStringLiteral("bad signature"));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (qAbs(now - ts.toLongLong()) > AllowedSkewSeconds)
        return HttpResponse::error(403, QStringLiteral("stale timestamp"));
    // Nonces are kept as long as their timestamps could still pass, in the shared database, so
    // a replay is refused by every server process.
    if (!context.store.useNonce(QString::fromLatin1(fields["nonce"]), now,
                                now - 2 * AllowedSkewSeconds))
        return HttpResponse::error(403, QStringLiteral("replayed nonce"));

    bool ok = false;
    QByteArray png = Multipart::read(body, *file, context.config.maxOcrBytes, &ok);
    QBuffer buffer(&png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!ok || !reader.canRead() || size.isEmpty())
        return HttpResponse::error(400, QStringLiteral("the file is no picture"));
    if (qint64(size.width()) * size.height() > context.config.maxImagePixels)
        return HttpResponse::error(413, QStringLiteral("the picture is too large"));
    const QImage image = reader.read();
    if (image.isNull())
        return HttpResponse::error(400, QStringLiteral("the picture cannot be decoded"));
    const QString text = context.recognizer.recognize(image, &ok);
    if (!ok)
        return HttpResponse::error(500, QStringLiteral("recognition failed"));
    return HttpResponse::json(
        {{QStringLiteral("success"), QStringLiteral("true")}, {QStringLiteral("text"), text}});
}
