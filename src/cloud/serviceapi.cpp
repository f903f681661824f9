#include "serviceapi.h"

#include "appidentity.h"
#include "settingskeys.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHostInfo>
#include <QJsonDocument>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSysInfo>

namespace ServiceApi {

namespace {

QString &apiBase()
{
    static QString base = QStringLiteral(QUORVEL_API_URL);
    return base;
}

int &transferTimeout()
{
    static int timeout = 120000;
    return timeout;
}

QUrl endpoint(const char *pathTemplate, const QStringList &values)
{
    return buildUrl(apiBase(), QString::fromLatin1(pathTemplate), values);
}

// Set on a reply that limitReply cut off.
constexpr char TooLargeProperty[] = "quorvelReplyTooLarge";

QString networkErrorKind(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("ServiceApi", "Connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return QCoreApplication::translate("ServiceApi", "The service closed the connection");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("ServiceApi", "The service's host was not found");
    case QNetworkReply::TimeoutError:
        return QCoreApplication::translate("ServiceApi", "The connection timed out");
    // The network library reports a transfer timeout as a cancelled operation.
    case QNetworkReply::OperationCanceledError:
        return QCoreApplication::translate("ServiceApi", "The service did not answer in time.");
    case QNetworkReply::SslHandshakeFailedError:
        return QCoreApplication::translate("ServiceApi", "The secure connection failed");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QCoreApplication::translate("ServiceApi", "The network is not available");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QCoreApplication::translate("ServiceApi", "The proxy failed");
    default:
        return QCoreApplication::translate("ServiceApi", "Network error %1")
            .arg(QLatin1String(
                QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error)));
    }
}

QNetworkAccessManager *programNetwork()
{
    static QPointer<QNetworkAccessManager> manager;
    if (!manager)
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    return manager;
}

} // namespace

CommonValues commonValues()
{
    const QSettings settings = settingsStore();
    CommonValues values;
    values.ver = QCoreApplication::applicationVersion();
    if (values.ver.isEmpty())
        values.ver = QLatin1String(AppVersion);
    values.os = QSysInfo::prettyProductName().trimmed();
    values.hostname = QHostInfo::localHostName();
    values.lang =
        settings.value(SettingsKeys::Language, SettingsKeys::LanguageDefault).toString().toLower();
    values.uuid = settings.value(SettingsKeys::Uuid).toString();
    values.token = settings.value(SettingsKeys::Token).toString();
    values.userId = settings.value(SettingsKeys::UserId, SettingsKeys::UserIdDefault).toString();
    return values;
}

QString apiBaseUrl()
{
    return apiBase();
}

void setApiBaseUrl(const QString &url)
{
    apiBase() = url;
}

QString siteHost()
{
    return QStringLiteral(QUORVEL_SITE_HOST);
}

QString brokerBaseUrl()
{
    return QStringLiteral(QUORVEL_BROKER_URL);
}

QByteArray ocrSigningKey()
{
    return QByteArrayLiteral(QUORVEL_OCR_KEY);
}

int transferTimeoutMs()
{
    return transferTimeout();
}

void setTransferTimeoutMs(int ms)
{
    transferTimeout() = ms;
}

QUrl buildUrl(const QString &base, const QString &pathTemplate, const QStringList &values)
{
    QString text = base;
    for (qsizetype i = 0; i < pathTemplate.size(); ++i) {
        const QChar c = pathTemplate.at(i);
        qsizetype end = i + 1;
        while (c == u'%' && end < pathTemplate.size() && pathTemplate.at(end).isDigit())
            ++end;
        const int index = pathTemplate.mid(i + 1, end - i - 1).toInt();
        if (index >= 1 && index <= values.size()) {
            text += QString::fromLatin1(QUrl::toPercentEncoding(values.at(index - 1)));
            i = end - 1;
        } else {
            text += c;
        }
    }
    return QUrl(text, QUrl::TolerantMode);
}

QString passwordHash(const QString &email, const QString &password)
{
    QByteArray bytes = email.toUtf8() + PasswordSalt + password.toUtf8();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

QUrl loginUrl(const QString &email, const QString &password)
{
    const CommonValues c = commonValues();
    return endpoint(
        LoginPath, {email, passwordHash(email, password), c.ver, c.os, c.hostname, c.lang, c.uuid});
}

QUrl checkCodeUrl(const QString &code)
{
    const CommonValues c = commonValues();
    return endpoint(CheckCodePath, {code, c.lang, c.ver, c.os, c.hostname, c.uuid});
}

QUrl userInfoUrl()
{
    const CommonValues c = commonValues();
    return endpoint(UserInfoPath, {c.token, c.userId, c.lang});
}

QUrl logoutUrl()
{
    const CommonValues c = commonValues();
    return endpoint(LogoutPath, {c.token, c.userId});
}

QUrl lastFilesUrl()
{
    const CommonValues c = commonValues();
    return endpoint(LastFilesPath, {c.token, c.userId, c.lang});
}

QUrl deleteFileUrl(const QString &fileId)
{
    const CommonValues c = commonValues();
    return endpoint(DeleteFilePath, {c.token, c.userId, c.lang, fileId});
}

QUrl uploadUrl()
{
    const CommonValues c = commonValues();
    return endpoint(UploadPath, {c.lang, c.ver, c.uuid, c.token, c.userId});
}

QUrl ocrUrl()
{
    return endpoint(OcrPath, {});
}

QNetworkRequest request(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeout());
    return request;
}

QNetworkReply *limitReply(QNetworkReply *reply, qint64 maxBytes)
{
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, maxBytes](qint64 received, qint64 total) {
                         if ((received <= maxBytes && total <= maxBytes) ||
                             reply->property(TooLargeProperty).toBool())
                             return;
                         reply->setProperty(TooLargeProperty, true);
                         // Not from inside the network library's own signal: whoever hears of
                         // the error may open a message box.
                         QMetaObject::invokeMethod(reply, &QNetworkReply::abort,
                                                   Qt::QueuedConnection);
                     });
    return reply;
}

QNetworkReply *get(QNetworkAccessManager *manager, const QUrl &url, qint64 maxBytes)
{
    return limitReply(manager->get(request(url)), maxBytes);
}

void sendAndForget(const QUrl &url)
{
    QNetworkReply *reply = get(programNetwork(), url);
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

bool isWebUrl(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QString errorText(const QNetworkReply *reply)
{
    if (reply->property(TooLargeProperty).toBool())
        return QCoreApplication::translate("ServiceApi", "The service's reply is too large");
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute)
                                   .toString()
                                   .simplified()
                                   .left(100);
        return QCoreApplication::translate("ServiceApi", "The service answered %1 %2")
            .arg(status)
            .arg(reason)
            .trimmed();
    }
    return networkErrorKind(reply->error());
}

QJsonObject parseReply(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

QString text(const QJsonObject &reply, const QString &key)
{
    return reply.value(key).toString();
}

bool isSuccess(const QJsonObject &reply)
{
    return text(reply, QStringLiteral("success")) == QLatin1String("true");
}

} // namespace ServiceApi
