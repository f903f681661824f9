#include "accountapi.h"

#include "avatar.h"
#include "credentials.h"
#include "filestore.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRegularExpression>

namespace {

// The program reads a reply's body only when the HTTP status is a success, so refusals it
// should show travel as "success" "false" with the reason.
HttpResponse refusal(const QString &reason)
{
    return HttpResponse::error(200, reason);
}

bool isClientHash(const QString &pass)
{
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{32}$"));
    return form.match(pass).hasMatch();
}

} // namespace

HttpResponse AccountApi::session(qint64 userId)
{
    const QString token = Credentials::newToken();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    context.store.addToken(Credentials::secretHash(token), userId,
                           now + qint64(context.config.tokenDays) * 24 * 3600);
    return HttpResponse::json({{QStringLiteral("success"), QStringLiteral("true")},
                               {QStringLiteral("token"), token},
                               {QStringLiteral("user_id"), QString::number(userId)}});
}

HttpResponse AccountApi::login(const HttpRequest &request)
{
    const QString email = request.queryValue(QStringLiteral("email"));
    const QString pass = request.queryValue(QStringLiteral("pass"));
    const QString wrong = QStringLiteral("Wrong e-mail or password");
    if (email.isEmpty() || email.size() > 254 || !isClientHash(pass))
        return refusal(wrong);
    const auto user = context.store.userByEmail(email);
    // The hash covers the e-mail as typed: another spelling of the address is another hash.
    if (!user || !Credentials::credentialMatches(user->credential, pass))
        return refusal(wrong);
    return session(user->id);
}

HttpResponse AccountApi::checkCode(const HttpRequest &request)
{
    const QString code = request.queryValue(QStringLiteral("code")).trimmed();
    if (code.isEmpty() || code.size() > 64)
        return refusal(QStringLiteral("Invalid code"));
    const auto userId = context.store.takeLoginCode(Credentials::secretHash(code),
                                                    QDateTime::currentSecsSinceEpoch());
    if (!userId)
        return refusal(QStringLiteral("Invalid code"));
    return session(*userId);
}

HttpResponse AccountApi::userInfo(const HttpRequest &request)
{
    const auto userId = context.authenticate(request);
    const auto user = userId ? context.store.userById(*userId) : std::nullopt;
    if (!user)
        return refusal(QStringLiteral("Not logged in"));
    const QString avatarId =
        user->avatarId.isEmpty() ? context.store.avatarId(user->id) : user->avatarId;
    return HttpResponse::json(
        {{QStringLiteral("success"), QStringLiteral("true")},
         {QStringLiteral("username"), user->name},
         {QStringLiteral("userinfo"), user->email},
         {QStringLiteral("photo"), context.publicBase(request) + QStringLiteral("/a/") + avatarId +
                                       QStringLiteral(".png")}});
}

HttpResponse AccountApi::avatar(const QString &name, const HttpRequest &request)
{
    const QString id = name.endsWith(QLatin1String(".png")) ? name.chopped(4) : QString();
    const auto user = FileStore::isPublicId(id) ? context.store.userByAvatar(id) : std::nullopt;
    if (!user)
        return HttpResponse::error(404, QStringLiteral("Not found"));
    const QString initials = Avatar::initialsOf(user->name, user->email);
    const QColor colour = Avatar::colourOf(user->id);
    // The tag follows what the picture is drawn from, so a current copy costs no drawing.
    const QString etag =
        id + QLatin1Char('-') +
        QString::fromLatin1(QCryptographicHash::hash((initials + colour.name()).toUtf8(),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(12));
    const QByteArray caching = "public, max-age=86400";
    if (auto current = HttpResponse::notModified(request, etag, caching))
        return *current;
    HttpResponse picture;
    picture.contentType = "image/png";
    picture.body = Avatar::png(initials, colour);
    return picture.withCaching(etag, caching).withHeader("X-Content-Type-Options", "nosniff");
}

HttpResponse AccountApi::logout(const HttpRequest &request)
{
    if (context.authenticate(request))
        context.store.revokeToken(
            Credentials::secretHash(request.queryValue(QStringLiteral("token"))));
    return HttpResponse::json({{QStringLiteral("success"), QStringLiteral("true")}});
}
