#pragma once

// A request as the endpoints see it and the answer they give, apart from the network library.

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

struct HttpRequest
{
    QByteArray method;
    QString path;
    QHash<QString, QString> query;         // decoded; the first of repeated keys
    bool queryValid = true;                // false when a value was no UTF-8
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;                       // small bodies only
    QString bodyFile;                      // large bodies, streamed to this file
    QString remoteAddress;
    bool secure = false;

    QString queryValue(const QString &key) const { return query.value(key); }
    QByteArray header(const QByteArray &name) const { return headers.value(name); }
    // The target as sent: path and query, still percent-encoded.
    void setTarget(const QByteArray &target);
};

// Splits a query or a form body. "+" stays a plus: the program sends e-mail addresses as typed.
QHash<QString, QString> decodeQuery(const QByteArray &query, bool *valid);
// Form bodies of the web site do encode a space as "+".
QHash<QString, QString> decodeForm(const QByteArray &body, bool *valid);

struct HttpResponse
{
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QString filePath; // sent instead of body when set
    QList<QPair<QByteArray, QByteArray>> headers;

    static HttpResponse json(const QJsonObject &object, int status = 200);
    // The program reads "error" and, for uploads, "success" = "false".
    static HttpResponse error(int status, const QString &text);
    static HttpResponse html(const QString &page, int status = 200);
    static HttpResponse file(const QString &path, const QByteArray &contentType);
    HttpResponse &withHeader(const QByteArray &name, const QByteArray &value);
    // Marks the response as cacheable under `etag` (unquoted) for `caching`; when the request
    // already holds that version, the answer is a bodiless 304 with the same headers.
    static std::optional<HttpResponse> notModified(const HttpRequest &request, const QString &etag,
                                                   const QByteArray &caching);
    HttpResponse &withCaching(const QString &etag, const QByteArray &caching);
};
