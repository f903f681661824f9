#include "service.h"

#include "accountapi.h"
#include "credentials.h"
#include "fileapi.h"
#include "ocrapi.h"
#include "serverconfig.h"
#include "sitepages.h"
#include "sqlstore.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cstdio>

QString ServiceContext::publicBase(const HttpRequest &request) const
{
    if (!config.publicUrl.isEmpty())
        return config.publicUrl;
    // Only a plain host name or address with a port: anything else in Host could forge links.
    static const QRegularExpression hostForm(
        QStringLiteral("^([A-Za-z0-9.-]+|\\[[0-9A-Fa-f:.]+\\])(:[0-9]{1,5})?$"));
    QString host = QString::fromLatin1(request.header("host"));
    if (!hostForm.match(host).hasMatch())
        host = QStringLiteral("%1:%2").arg(config.listenAddress).arg(config.port);
    return (request.secure ? QStringLiteral("https://") : QStringLiteral("http://")) + host;
}

std::optional<qint64> ServiceContext::authenticate(const HttpRequest &request) const
{
    const QString token = request.queryValue(QStringLiteral("token"));
    if (token.size() != 64)
        return std::nullopt;
    const auto userId =
        store.userForToken(Credentials::secretHash(token), QDateTime::currentSecsSinceEpoch());
    if (!userId || QString::number(*userId) != request.queryValue(QStringLiteral("user_id")))
        return std::nullopt;
    return userId;
}

Service::Service(const ServiceContext &serviceContext)
    : context(serviceContext), accounts(std::make_unique<AccountApi>(context)),
      files(std::make_unique<FileApi>(context)), ocr(std::make_unique<OcrApi>(context)),
      site(std::make_unique<SitePages>(context))
{
}

Service::~Service() = default;

BodyPolicy Service::bodyPolicy(const QByteArray &method, const QString &path) const
{
    if (method != "POST")
        return {0, false};
    if (path == QLatin1String("/upload.php"))
        return {context.config.maxUploadBytes, true};
    if (path == QLatin1String("/ocr.php"))
        return {context.config.maxOcrBytes, true};
    return {64 * 1024, false};
}

HttpResponse Service::tooLarge(const QString &path) const
{
    if (path == QLatin1String("/upload.php"))
        return FileApi::tooLarge(context.config.maxUploadBytes);
    return HttpResponse::error(413, QStringLiteral("Request body too large"));
}

HttpResponse Service::handle(const HttpRequest &request)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString token = request.queryValue(QStringLiteral("token"));
    if (!limiter.allow(QStringLiteral("a:") + request.remoteAddress,
                       context.config.requestsPerMinutePerAddress, now) ||
        (!token.isEmpty() && !limiter.allow(QStringLiteral("t:") + token,
                                            context.config.requestsPerMinutePerToken, now)))
        return HttpResponse::error(429, QStringLiteral("Too many requests, try again later"))
            .withHeader("Retry-After", "60");
    if (!request.queryValid)
        return HttpResponse::error(400, QStringLiteral("Query is not UTF-8"));
    try {
        return route(request);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "error: %s %s: %s\n", request.method.constData(),
                     qPrintable(request.path), e.what());
        return HttpResponse::error(500, QStringLiteral("Internal server error"));
    }
}

HttpResponse Service::route(const HttpRequest &request)
{
    const QString &path = request.path;
    const bool get = request.method == "GET" || request.method == "HEAD";
    const bool post = request.method == "POST";
    if (get && path == QLatin1String("/login.php"))
        return accounts->login(request);
    if (get && path == QLatin1String("/check_code.php"))
        return accounts->checkCode(request);
    if (get && path == QLatin1String("/get_user_info.php"))
        return accounts->userInfo(request);
    if (get && path == QLatin1String("/user_logout.php"))
        return accounts->logout(request);
    if (get && path == QLatin1String("/get_last_user_files.php"))
        return files->lastFiles(request);
    if (get && path == QLatin1String("/delete_user_files.php"))
        return files->remove(request);
    if (post && path == QLatin1String("/upload.php"))
        return files->upload(request);
    if (post && path == QLatin1String("/ocr.php"))
        return ocr->recognize(request);
    if (get && path.startsWith(QLatin1String("/f/")))
        return files->serveFile(path.mid(3), request);
    if (get && path.startsWith(QLatin1String("/t/")))
        return files->serveThumbnail(path.mid(3), request);
    if (get && path.startsWith(QLatin1String("/a/")))
        return accounts->avatar(path.mid(3), request);
    if (get || post) {
        HttpResponse page;
        if (site->serve(request, &page))
            return page;
    }
    return HttpResponse::error(404, QStringLiteral("Not found"));
}
