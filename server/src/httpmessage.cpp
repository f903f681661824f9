#include "httpmessage.h"

#include <QByteArrayView>
#include <QJsonDocument>

namespace {

QHash<QString, QString> decodePairs(const QByteArray &text, bool plusIsSpace, bool *valid)
{
    QHash<QString, QString> values;
    *valid = true;
    for (const QByteArray &pair : text.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype eq = pair.indexOf('=');
        QByteArray key = eq < 0 ? pair : pair.left(eq);
        QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        if (plusIsSpace) {
            key.replace('+', ' ');
            value.replace('+', ' ');
        }
        key = QByteArray::fromPercentEncoding(key);
        value = QByteArray::fromPercentEncoding(value);
        if (!QByteArrayView(key).isValidUtf8() || !QByteArrayView(value).isValidUtf8()) {
            *valid = false;
            continue;
        }
        const QString name = QString::fromUtf8(key);
        if (!values.contains(name))
            values.insert(name, QString::fromUtf8(value));
    }
    return values;
}

} // namespace

void HttpRequest::setTarget(const QByteArray &target)
{
    const qsizetype question = target.indexOf('?');
    const QByteArray rawPath = question < 0 ? target : target.left(question);
    path = QString::fromUtf8(QByteArray::fromPercentEncoding(rawPath));
    query = decodeQuery(question < 0 ? QByteArray() : target.mid(question + 1), &queryValid);
}

QHash<QString, QString> decodeQuery(const QByteArray &query, bool *valid)
{
    return decodePairs(query, false, valid);
}

QHash<QString, QString> decodeForm(const QByteArray &body, bool *valid)
{
    return decodePairs(body, true, valid);
}

HttpResponse HttpResponse::json(const QJsonObject &object, int status)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "application/json; charset=utf-8";
    response.body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    response.withHeader("Cache-Control", "no-store");
    return response;
}

HttpResponse HttpResponse::error(int status, const QString &text)
{
    return json(
        {{QStringLiteral("success"), QStringLiteral("false")}, {QStringLiteral("error"), text}},
        status);
}

HttpResponse HttpResponse::html(const QString &page, int status)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "text/html; charset=utf-8";
    response.body = page.toUtf8();
    response.withHeader("Cache-Control", "no-store");
    response.withHeader("Content-Security-Policy",
                        "default-src 'none'; style-src 'unsafe-inline'; form-action 'self'");
    return response;
}

HttpResponse HttpResponse::file(const QString &path, const QByteArray &contentType)
{
    HttpResponse response;
    response.contentType = contentType;
    response.filePath = path;
    return response;
}

HttpResponse &HttpResponse::withHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append({name, value});
    return *this;
}

std::optional<HttpResponse> HttpResponse::notModified(const HttpRequest &request,
                                                      const QString &etag,
                                                      const QByteArray &caching)
{
    if (request.header("if-none-match") != '"' + etag.toLatin1() + '"')
        return std::nullopt;
    HttpResponse response;
    response.status = 304;
    return response.withCaching(etag, caching);
}

HttpResponse &HttpResponse::withCaching(const QString &etag, const QByteArray &caching)
{
    return withHeader("ETag", '"' + etag.toLatin1() + '"').withHeader("Cache-Control", caching);
}
