#include "fileapi.h"

#include "credentials.h"
#include "filestore.h"
#include "multipart.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
#include <QUrl>

namespace {

// Refusals the program should show travel with a success status (it reads no other body).
HttpResponse refusal(const QString &reason)
{
    return HttpResponse::error(200, reason);
}

QString publicIdOf(const QString &name)
{
    const QString id = name.left(22);
    const QString rest = name.mid(22);
    if (!FileStore::isPublicId(id) || (!rest.isEmpty() && !rest.startsWith(QLatin1Char('.'))))
        return {};
    return id;
}

QString extensionOf(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("\\.([A-Za-z0-9]{1,8})$"));
    const QRegularExpressionMatch match = form.match(name);
    return match.hasMatch() ? QLatin1Char('.') + match.captured(1).toLower() : QString();
}

HttpResponse cachedFile(const QString &path, const QByteArray &type, const QString &etag,
                        const HttpRequest &request)
{
    // Stored files never change under their name: a year's caching, and no body for a match.
    const QByteArray caching = "public, max-age=31536000, immutable";
    if (auto current = HttpResponse::notModified(request, etag, caching))
        return *current;
    return HttpResponse::file(path, type)
        .withCaching(etag, caching)
        .withHeader("X-Content-Type-Options", "nosniff")
        .withHeader("Content-Security-Policy", "sandbox");
}

} // namespace

HttpResponse FileApi::tooLarge(qint64 limit)
{
    return refusal(limit >= 1 << 20
                       ? QStringLiteral("The file is too large: at most %1 MB").arg(limit >> 20)
                       : QStringLiteral("The file is too large: at most %1 KB").arg(limit >> 10));
}

QString FileApi::displayName(const QString &sent)
{
    QString name = sent.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
    name.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
    name = name.left(255).trimmed();
    return name == QLatin1String(".") || name == QLatin1String("..") ? QString() : name;
}

QString FileApi::fileLink(const HttpRequest &request, const QString &publicId,
                          const QString &originalName) const
{
    return context.publicBase(request) + QStringLiteral("/f/") + publicId +
           extensionOf(originalName);
}

HttpResponse FileApi::upload(const HttpRequest &request)
{
    const QString uuid = request.queryValue(QStringLiteral("uuid"));
    const QString token = request.queryValue(QStringLiteral("token"));
    if (uuid.size() > 64)
        return refusal(QStringLiteral("Invalid installation id"));
    // A token the service does not know still stores the file, as an anonymous upload.
    const bool triesAccount = !token.isEmpty() && token != QLatin1String("0");
    const auto userId = triesAccount ? context.authenticate(request) : std::nullopt;
    if (!userId && uuid.isEmpty())
        return refusal(QStringLiteral("Anonymous uploads need the installation id"));

    QFile body(request.bodyFile);
    if (!body.open(QIODevice::ReadOnly))
        return refusal(QStringLiteral("The upload carried no file"));
    const Multipart::Parsed parsed =
        Multipart::parse(body, Multipart::boundaryOf(request.header("content-type")));
    const Multipart::Part *part = parsed.find("file");
    if (!parsed.ok())
        return refusal(QStringLiteral("Malformed upload: ") + parsed.error);
    if (!part || !part->hasFileName)
        return refusal(QStringLiteral("The upload carried no file"));
    if (part->length == 0)
        return refusal(QStringLiteral("The file is empty"));
    QString name = displayName(part->fileName);
    if (name.isEmpty())
        name = QStringLiteral("file");

    FileRecord record;
    record.publicId = Credentials::newPublicId();
    record.userId = userId.value_or(0);
    record.uuid = uuid;
    record.originalName = name;
    record.size = part->length;
    record.created = QDateTime::currentSecsSinceEpoch();
    QString error;
    if (!context.files.store(body, *part, record.publicId, &error)) {
        std::fprintf(stderr, "error: storing an upload failed: %s\n", qPrintable(error));
        return HttpResponse::error(507, QStringLiteral("The server could not store the file"));
    }
    record.contentType = context.files.servedType(record.publicId, part->contentType);
    record.hasThumbnail =
        context.files.makeThumbnail(record.publicId, context.config.maxImagePixels);
    try {
        // The record comes last: a file without one is unreachable, never the reverse.
        context.store.addFile(record);
    } catch (...) {
        context.files.remove(record.publicId);
        throw;
    }
    QJsonObject reply{{QStringLiteral("success"), QStringLiteral("true")},
                      {QStringLiteral("fileurl"), fileLink(request, record.publicId, name)}};
    if (triesAccount && !userId)
        reply.insert(QStringLiteral("authfail"), QStringLiteral("1"));
    return HttpResponse::json(reply);
}

HttpResponse FileApi::lastFiles(const HttpRequest &request)
{
    const auto userId = context.authenticate(request);
    if (!userId)
        return refusal(QStringLiteral("Not logged in"));
    const QString base = context.publicBase(request);
    QJsonArray photos;
    for (const FileRecord &file : context.store.lastFiles(*userId, context.config.lastFilesCount)) {
        photos.append(QJsonObject{
            {QStringLiteral("id"), file.publicId},
            {QStringLiteral("image"), file.hasThumbnail ? base + QStringLiteral("/t/") +
                                                              file.publicId + QStringLiteral(".png")
                                                        : QString()},
            {QStringLiteral("link"), fileLink(request, file.publicId, file.originalName)},
            {QStringLiteral("original_filename"), file.originalName},
        });
    }
    return HttpResponse::json(
        {{QStringLiteral("success"), QStringLiteral("true")}, {QStringLiteral("photos"), photos}});
}

HttpResponse FileApi::remove(const HttpRequest &request)
{
    const auto userId = context.authenticate(request);
    if (!userId)
        return refusal(QStringLiteral("Not logged in"));
    const QString id = request.queryValue(QStringLiteral("file_id"));
    if (!FileStore::isPublicId(id) || !context.store.deleteFile(id, *userId))
        return refusal(QStringLiteral("No such file"));
    context.files.remove(id);
    return HttpResponse::json({{QStringLiteral("success"), QStringLiteral("true")}});
}

HttpResponse FileApi::serveFile(const QString &name, const HttpRequest &request)
{
    const QString id = publicIdOf(name);
    const auto file = id.isEmpty() ? std::nullopt : context.store.file(id);
    if (!file || !QFileInfo::exists(context.files.filePath(id)))
        return HttpResponse::error(404, QStringLiteral("Not found"));
    const QByteArray type = file->contentType.toLatin1();
    const QByteArray disposition = (FileStore::showsInline(type) ? "inline" : "attachment") +
                                   QByteArray("; filename*=UTF-8''") +
                                   QUrl::toPercentEncoding(file->originalName);
    return cachedFile(context.files.filePath(id), type, id, request)
        .withHeader("Content-Disposition", disposition);
}

HttpResponse FileApi::serveThumbnail(const QString &name, const HttpRequest &request)
{
    const QString id = publicIdOf(name);
    const auto file = id.isEmpty() ? std::nullopt : context.store.file(id);
    if (!file || !file->hasThumbnail || !QFileInfo::exists(context.files.thumbnailPath(id)))
        return HttpResponse::error(404, QStringLiteral("Not found"));
    return cachedFile(context.files.thumbnailPath(id), "image/png", id + QStringLiteral("-t"),
                      request);
}
