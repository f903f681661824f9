#pragma once

// A scripted HTTP/1.1 server on 127.0.0.1 at a free port. A script answers each request; every
// request is recorded as it went over the wire (method, path, query, headers, body), so tests
// can assert what the program sent. A reply may also be withheld, as a stalled server does.

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <functional>

struct RecordedRequest
{
    QByteArray method;
    QByteArray path;
    QByteArray query;                      // as sent, still percent-encoded
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QString queryValue(const QString &key) const
    {
        for (const QByteArray &pair : query.split('&')) {
            const qsizetype eq = pair.indexOf('=');
            if (QString::fromUtf8(pair.left(eq)) == key)
                return QUrl::fromPercentEncoding(pair.mid(eq + 1));
        }
        return {};
    }
};

struct ScriptedReply
{
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
    bool silent = false;  // accept the request and never answer
    bool endless = false; // a body without length that never ends, as a hostile server sends

    static ScriptedReply json(const QJsonObject &object)
    {
        return {200, "application/json", QJsonDocument(object).toJson(QJsonDocument::Compact),
                false};
    }
    static ScriptedReply raw(const QByteArray &body, const QByteArray &type = "text/plain")
    {
        return {200, type, body, false};
    }
    static ScriptedReply stall() { return {200, {}, {}, true}; }
    static ScriptedReply endlessBody() { return {200, "application/json", {}, false, true}; }
};

class LocalService : public QObject
{
public:
    using Script = std::function<ScriptedReply(const RecordedRequest &)>;

    explicit LocalService(Script script = {}) : answer(std::move(script))
    {
        connect(server, &QTcpServer::newConnection, this, &LocalService::accept);
    }

    ~LocalService() override
    {
        if (worker) {
            QMetaObject::invokeMethod(
                this, [this] { server->close(); }, Qt::BlockingQueuedConnection);
            worker->quit();
            worker->wait();
            delete worker;
        }
    }

    bool listen() { return server->listen(QHostAddress::LocalHost, 0); }

    // Needs the event loop of its thread for every handshake, as a far server needs time.
    bool listenSecurely(const QByteArray &certificate, const QByteArray &key)
    {
        auto *secure = new QSslServer(this);
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(QSslCertificate(certificate));
        config.setPrivateKey(QSslKey(key, QSsl::Ec));
        secure->setSslConfiguration(config);
        connect(secure, &QSslServer::pendingConnectionAvailable, this, &LocalService::accept);
        delete server;
        server = secure;
        scheme = QStringLiteral("https");
        return listen();
    }

    // Serves from a thread of its own, for tests whose waiting blocks their own thread.
    bool listenInThread()
    {
        worker = new QThread;
        moveToThread(worker);
        worker->start();
        bool ok = false;
        QMetaObject::invokeMethod(
            this, [this, &ok] { ok = listen(); }, Qt::BlockingQueuedConnection);
        return ok;
    }

    QString baseUrl() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(server->serverPort());
    }

    void setScript(Script script)
    {
        QMutexLocker lock(&mutex);
        answer = std::move(script);
    }

    QList<RecordedRequest> requests() const
    {
        QMutexLocker lock(&mutex);
        return recorded;
    }
    int requestCount() const { return int(requests().size()); }

private:
    void accept()
    {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = pending[socket];
        buffer += socket->readAll();
        for (;;) {
            const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            RecordedRequest request;
            const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
            const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
            request.method = start.value(0);
            const QByteArray target = start.value(1);
            const qsizetype question = target.indexOf('?');
            request.path = question < 0 ? target : target.left(question);
            request.query = question < 0 ? QByteArray() : target.mid(question + 1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                           lines[i].mid(colon + 1).trimmed());
            }
            const qsizetype length = request.headers.value("content-length").toLongLong();
            if (buffer.size() < headerEnd + 4 + length)
                return;
            request.body = buffer.mid(headerEnd + 4, length);
            buffer.remove(0, headerEnd + 4 + length);
            respond(socket, request);
        }
    }

    void respond(QTcpSocket *socket, const RecordedRequest &request)
    {
        Script script;
        {
            QMutexLocker lock(&mutex);
            recorded.append(request);
            script = answer;
        }
        const ScriptedReply reply =
            script ? script(request) : ScriptedReply{404, "text/plain", "no script", false};
        if (reply.silent)
            return;
        if (reply.endless) {
            stream(socket, reply.contentType);
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
        head += "Content-Type: " + reply.contentType + "\r\n";
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head + reply.body);
        socket->disconnectFromHost();
    }

    // Keeps the socket's queue topped up until the client hangs up.
    static void stream(QTcpSocket *socket, const QByteArray &contentType)
    {
        const QByteArray chunk(64 * 1024, ' ');
        socket->write("HTTP/1.1 200 Scripted\r\nContent-Type: " + contentType +
                      "\r\nConnection: close\r\n\r\n{\"text\":\"");
        socket->write(chunk);
        connect(socket, &QTcpSocket::bytesWritten, socket, [socket, chunk] {
            if (socket->state() == QAbstractSocket::ConnectedState &&
                socket->bytesToWrite() < chunk.size())
                socket->write(chunk);
        });
    }

    QTcpServer *server = new QTcpServer(this);
    QString scheme = QStringLiteral("http");
    QThread *worker = nullptr;
    mutable QMutex mutex;
    Script answer;
    QList<RecordedRequest> recorded;
    QHash<QTcpSocket *, QByteArray> pending;
};
