#include "analytics.h"

#include "appidentity.h"
#include "settingskeys.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QScreen>
#include <QSysInfo>
#include <QUrlQuery>

namespace Analytics {

namespace {

QString &collectBase()
{
    static QString base = QStringLiteral(QUORVEL_ANALYTICS_URL);
    return base;
}

QString screenResolution()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QStringLiteral("0x0");
    const QSize size = screen->availableGeometry().size();
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

void setCollectBaseUrl(const QString &url)
{
    collectBase() = url;
}

QUrl collectUrl()
{
    QUrl url(collectBase() + QStringLiteral("/mp/collect"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("measurement_id"), QStringLiteral(QUORVEL_MEASUREMENT_ID));
    query.addQueryItem(QStringLiteral("api_secret"), QStringLiteral(QUORVEL_ANALYTICS_SECRET));
    url.setQuery(query);
    return url;
}

qint64 sessionStart()
{
    static const qint64 start = QDateTime::currentSecsSinceEpoch();
    return start;
}

QString eventName(const QString &action)
{
    return action.isEmpty() ? QStringLiteral("screen_view") : QStringLiteral("quorvel_action");
}

QJsonObject eventParams(const QString &action)
{
    QJsonObject params{
        {QStringLiteral("app_version"), QLatin1String(AppVersion)},
        {QStringLiteral("screen_name"), QStringLiteral("Quorvel Desktop")},
        {QStringLiteral("engagement_time_msec"), 100},
        {QStringLiteral("session_id"), QString::number(sessionStart())},
        {QStringLiteral("os"), QSysInfo::prettyProductName()},
        {QStringLiteral("cpu_architecture"), QSysInfo::currentCpuArchitecture()},
        {QStringLiteral("language"), QLocale::system().name()},
        {QStringLiteral("screen_resolution"), screenResolution()},
    };
    const QStringList pieces = action.split(QLatin1Char('&'), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = piece.left(equals);
        const QString value = piece.mid(equals + 1);
        if (key == QLatin1String("ec"))
            params.insert(QStringLiteral("event_category"), value);
        else if (key == QLatin1String("ea"))
            params.insert(QStringLiteral("event_action"), value);
        else if (key == QLatin1String("el"))
            params.insert(QStringLiteral("event_label"), value);
    }
    return params;
}

QByteArray eventBody(const QString &action, const QString &clientId)
{
    const QJsonObject event{{QStringLiteral("name"), eventName(action)},
                            {QStringLiteral("params"), eventParams(action)}};
    const QJsonObject body{{QStringLiteral("client_id"), clientId},
                           {QStringLiteral("events"), QJsonArray{event}}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

void send(QNetworkAccessManager *manager, const QString &action)
{
    if (!manager)
        return;
    QNetworkRequest request(collectUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    manager->post(request, eventBody(action, settingsStore().value(SettingsKeys::Uuid).toString()));
}

} // namespace Analytics
