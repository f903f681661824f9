#pragma once

// A whole server in the test process on 127.0.0.1 at a free port, with its own storage folder
// and SQLite database, and a blocking HTTP helper to talk to it.

#include "credentials.h"
#include "filestore.h"
#include "httpserver.h"
#include "recognizer.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class TestServer
{
public:
    explicit TestServer(ServerConfig base = {})
        : config(std::move(base)), files((config.storageFolder = folder.path() + "/storage")),
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

inline Answer send(const QByteArray &method, const QUrl &url, const QByteArray &body = {},
                   const QList<QPair<QByteArray, QByteArray>> &headers = {})
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply *reply = manager.sendCustomRequest(request, method, body);
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
