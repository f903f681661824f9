#pragma once

// The signed multipart request the OCR service expects, apart from any widget or network object.

#include <QByteArray>
#include <QImage>
#include <QString>

class QHttpMultiPart;
class QObject;

namespace OcrRequest {

struct Signed
{
    QString uuid;
    QByteArray ts;        // whole seconds since the Unix epoch, decimal
    QByteArray nonce;     // a fresh UUID without braces
    QByteArray signature; // HMAC-SHA256 of "uuid|ts|nonce", 64 lower-case hex digits
};

// Signs for `uuid` at the present second with a new nonce.
Signed sign(const QString &uuid, const QByteArray &key);
QByteArray signature(const QString &uuid, const QByteArray &ts, const QByteArray &nonce,
                     const QByteArray &key);

// Grey, a 24-pixel white border, three times enlarged: small screen text reads far better so.
QImage preparedImage(const QImage &region);
// The prepared image as PNG; empty when encoding failed.
QByteArray preparedPng(const QImage &region);

// uuid, ts, nonce, signature, then the PNG as "quorvel.png".
QHttpMultiPart *body(const Signed &fields, const QByteArray &png, QObject *parent = nullptr);

} // namespace OcrRequest
