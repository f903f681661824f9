#include "ocrrequest.h"

#include <QBuffer>
#include <QDateTime>
#include <QHttpMultiPart>
#include <QMessageAuthenticationCode>
#include <QUuid>

#include <cstring>

namespace OcrRequest {

namespace {

constexpr int Border = 24;
constexpr int Enlargement = 3;

QHttpPart formPart(const QByteArray &disposition, const QByteArray &value)
{
    QHttpPart part;
    part.setRawHeader("Content-Disposition", disposition);
    part.setBody(value);
    return part;
}

QHttpPart field(const char *name, const QByteArray &value)
{
    return formPart("form-data; name=\"" + QByteArray(name) + '"', value);
}

} // namespace

Signed sign(const QString &uuid, const QByteArray &key)
{
    Signed fields;
    fields.uuid = uuid;
    fields.ts = QByteArray::number(QDateTime::currentSecsSinceEpoch());
    fields.nonce = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    fields.signature = signature(uuid, fields.ts, fields.nonce, key);
    return fields;
}

QByteArray signature(const QString &uuid, const QByteArray &ts, const QByteArray &nonce,
                     const QByteArray &key)
{
    const QByteArray message = uuid.toUtf8() + '|' + ts + '|' + nonce;
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256).toHex();
}

QImage preparedImage(const QImage &region)
{
    const QImage grey = region.convertToFormat(QImage::Format_Grayscale8);
    QImage framed(grey.width() + 2 * Border, grey.height() + 2 * Border, QImage::Format_Grayscale8);
    framed.fill(255);
    // Grey onto grey at whole-pixel offsets: a plain copy of the rows, nothing to blend.
    for (int y = 0; y < grey.height(); ++y)
        std::memcpy(framed.scanLine(y + Border) + Border, grey.constScanLine(y),
                    size_t(grey.width()));
    return framed.scaled(framed.size() * Enlargement, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
}

QByteArray preparedPng(const QImage &region)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (region.isNull() || !preparedImage(region).save(&buffer, "PNG"))
        return {};
    return png;
}

QHttpMultiPart *body(const Signed &fields, const QByteArray &png, QObject *parent)
{
    auto *multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType, parent);
    multiPart->append(field("uuid", fields.uuid.toUtf8()));
    multiPart->append(field("ts", fields.ts));
    multiPart->append(field("nonce", fields.nonce));
    multiPart->append(field("signature", fields.signature));
    QHttpPart file = formPart("form-data; name=\"file\"; filename=\"quorvel.png\"", png);
    file.setRawHeader("Content-Type", "image/png");
    multiPart->append(file);
    return multiPart;
}

} // namespace OcrRequest
