#pragma once

// A whole server in the test process on 127.0.0.1 at a free port, with its own storage folder
// and database, and a blocking HTTP helper to talk to it.

#include "credentials.h"
#include "filestore.h"
#include "httpserver.h"
#include "postgrescluster.h"
#include "recognizer.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// The store of every TestServer in this run: an SQLite file each, or, with
// QUORVEL_TEST_STORE=postgresql, a fresh database each in one PostgreSQL cluster for the run.
class TestStore
{
public:
    static bool usesPostgres() { return qgetenv("QUORVEL_TEST_STORE") == "postgresql"; }

    // Starts the cluster where the run needs one; empty when all is well, else what failed.
    static QString prepare()
    {
        if (!usesPostgres() || cluster())
            return {};
        auto started = std::make_unique<PostgresCluster>();
        QString error;
        if (!started->start(&error))
            return error;
        cluster() = std::move(started);
        qAddPostRoutine([] { cluster().reset(); });
        return {};
    }

    // A storage/database URL for one more server: empty means SQLite in its own folder.
    static QString newDatabaseUrl()
    {
        if (!cluster())
            return {};
        QString error;
        const QString url = cluster()->newDatabase(&error);
        if (url.isEmpty())
            qFatal("test database: %s", qPrintable(error));
        return url;
    }

    static std::unique_ptr<PostgresCluster> &cluster()
    {
        static std::unique_ptr<PostgresCluster> running;
        return running;
    }
};

// First in initTestCase: skips the run where it needs PostgreSQL and none is installed.
#define QUORVEL_PREPARE_TEST_STORE()                                                               \
    do {                                                                                           \
        if (TestStore::usesPostgres() && PostgresCluster::programFolder().isEmpty())               \
            QSKIP("PostgreSQL is not installed (initdb and postgres under "                        \
                  "/usr/lib/postgresql/*/bin): this run covers the PostgreSQL store");             \
        const QString storeProblem = TestStore::prepare();                                         \
        QVERIFY2(storeProblem.isEmpty(), qPrintable(storeProblem));                                \
    } while (false)

class TestServer
{
public:
    explicit TestServer(ServerConfig base = {})
        : config(withDatabase(std::move(base))),
          files((config.storageFolder = folder.path() + "/storage")),
          store(config.databaseUrl, folder.path() + "/quorvel.db"),
          recognizer(config.ocrDataFolder, QStringLiteral("eng"))
    {
        config.listenAddress = QStringLiteral("127.0.0.1");
        config.port = 0;
        config.threads = 2;
        config.accessLog = false;
        config.passwordIterations = 10000;
        config.ocrKey = QByteArrayLiteral(QUORVEL_TEST_OCR_KEY);
        QString error;
        if (!files.prepare(&error) || !store.open(&error))
            qFatal("test server: %s", qPrintable(error));
        service = std::make_unique<Service>(ServiceContext{config, store, files, recognizer});
        http = std::make_unique<HttpServer>(config, *service, files);
        if (!http->start(&error))
            qFatal("test server: %s", qPrintable(error));
    }

    static ServerConfig withDatabase(ServerConfig config)
    {
        if (config.databaseUrl.isEmpty())
            config.databaseUrl = TestStore::newDatabaseUrl();
        return config;
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(http->port()); }
    QString storageFolder() const { return config.storageFolder; }

    // An account as the register page makes it; returns its id.
    qint64 addUser(const QString &email, const QString &password, const QString &name = "Ann")
    {
        return *store.createUser(
            email, name,
            Credentials::storedCredential(Credentials::clientPasswordHash(email, password),
                                          config.passwordIterations));
    }

    QTemporaryDir folder;
    ServerConfig config;
    FileStore files;
    SqlStore store;
    Recognizer recognizer;
    std::unique_ptr<Service> service;
    std::unique_ptr<HttpServer> http;
};

struct Answer
{
    int status = 0;
    QByteArray body;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
};

// Waits for the reply and takes what came back; the reply is deleted.
inline Answer answerOf(QNetworkReply *reply)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    answer.error = reply->error();
    for (const auto &[name, value] : reply->rawHeaderPairs())
        answer.headers.insert(name.toLower(), value);
    delete reply;
    return answer;
}

inline Answer send(const QByteArray &method, const QUrl &url, const QByteArray &body = {},
                   const QList<QPair<QByteArray, QByteArray>> &headers = {})
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    return answerOf(manager.sendCustomRequest(request, method, body));
}
