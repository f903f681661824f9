#pragma once

// Usage events in the analytics service's measurement protocol: one POST per event, nothing read
// back. The action string is "ec=<category>&ea=<action>[&el=<label>]"; empty means a screen view.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

namespace Analytics {

// Scheme and host of the collection endpoint. Compiled in; a test points it at a local server.
void setCollectBaseUrl(const QString &url);
QUrl collectUrl();

// Seconds since the epoch at the first event of the process, the same for every later one.
qint64 sessionStart();

QJsonObject eventParams(const QString &action);
QString eventName(const QString &action);
QByteArray eventBody(const QString &action, const QString &clientId);

// Posts one event through manager and returns at once; without a manager nothing is sent.
void send(QNetworkAccessManager *manager, const QString &action);

} // namespace Analytics
