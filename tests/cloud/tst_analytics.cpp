#include "cloudtest.h"

#include "analytics.h"
#include "settingskeys.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScreen>
#include <QTcpServer>
#include <QTest>

// Usage events as they reach a local collection server.
class AnalyticsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(service.listen());
        service.setScript([](const RecordedRequest &) { return ScriptedReply::raw(""); });
        Analytics::setCollectBaseUrl(service.baseUrl());
        settingsStore().setValue(SettingsKeys::Uuid, "{client}");
    }

    void actionStrings_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected"); // category, action, label; "-" for absent
        QTest::newRow("screen view") << ""
                                     << "screen_view" << QStringList{"-", "-", "-"};
        QTest::newRow("all three")
            << "ec=Tool&ea=shortcutActivated&el=ocrScan"
            << "quorvel_action" << QStringList{"Tool", "shortcutActivated", "ocrScan"};
        QTest::newRow("malformed pieces skipped")
            << "&&ea&=x&ec=&ea=a=b&EL=no"
            << "quorvel_action" << QStringList{"", "a=b", "-"};
        QTest::newRow("repeated key overwrites, spaces kept")
            << "ec=A&ec=B&el=Format_gif_Framerate_5_OS_Debian GNU/Linux 12"
            << "quorvel_action"
            << QStringList{"B", "-", "Format_gif_Framerate_5_OS_Debian GNU/Linux 12"};
    }

    void actionStrings()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        const int before = service.requestCount();
        Analytics::send(&manager, action);
        QTRY_COMPARE(service.requestCount(), before + 1);
        const RecordedRequest request = service.requests().last();

        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/mp/collect"));
        QCOMPARE(request.query, QByteArray("measurement_id=" QUORVEL_TEST_MEASUREMENT_ID
                                           "&api_secret=" QUORVEL_TEST_ANALYTICS_SECRET));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        const QJsonDocument document = QJsonDocument::fromJson(request.body);
        QCOMPARE(document.toJson(QJsonDocument::Compact), request.body);
        const QJsonObject body = document.object();
        QCOMPARE(body.keys(), (QStringList{"client_id", "events"}));
        QCOMPARE(body["client_id"].toString(), QStringLiteral("{client}"));
        const QJsonObject event = body["events"].toArray().first().toObject();
        QCOMPARE(event["name"].toString(), name);
        const QJsonObject params = event["params"].toObject();
        QCOMPARE(params["engagement_time_msec"], QJsonValue(100));
        QCOMPARE(params["app_version"].toString(), QStringLiteral("260"));
        QCOMPARE(params["screen_name"].toString(), QStringLiteral("Quorvel Desktop"));
        QCOMPARE(params["os"].toString(), QSysInfo::prettyProductName());
        const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
        QCOMPARE(params["screen_resolution"].toString(),
                 QStringLiteral("%1x%2").arg(available.width()).arg(available.height()));
        QVERIFY(!params["language"].toString().isEmpty());
        QVERIFY(!params["cpu_architecture"].toString().isEmpty());
        const char *keys[] = {"event_category", "event_action", "event_label"};
        for (int i = 0; i < 3; ++i) {
            const QJsonValue value = params[QLatin1String(keys[i])];
            QCOMPARE(value.isUndefined() ? QStringLiteral("-") : value.toString(), expected[i]);
        }
        sessions << params["session_id"].toString();
    }

    void everyEventCarriesTheSameSession()
    {
        sessions.removeDuplicates();
        QCOMPARE(sessions.size(), 1);
        QTest::qWait(1100);
        QCOMPARE(QString::number(Analytics::sessionStart()), sessions.first());
    }

    void anUnreachableEndpointCostsNothing()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
        Analytics::setCollectBaseUrl(base);
        QNetworkReply *failed = nullptr;
        connect(&manager, &QNetworkAccessManager::finished, this,
                [&failed](QNetworkReply *reply) { failed = reply; });
        QElapsedTimer timer;
        timer.start();
        Analytics::send(&manager, QStringLiteral("ec=A&ea=B"));
        QVERIFY(timer.elapsed() < 100);
        QTRY_VERIFY(failed);
        QCOMPARE(failed->error(), QNetworkReply::ConnectionRefusedError);
        Analytics::setCollectBaseUrl(service.baseUrl());
        Analytics::send(nullptr, QString());
    }

private:
    LocalService service;
    QNetworkAccessManager manager;
    QStringList sessions;
};

QTEST_MAIN(AnalyticsTest)
#include "tst_analytics.moc"
