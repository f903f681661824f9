#include "testserver.h"

#include "serverprocess.h"
#include "serviceapi.h"
#include "uploadbody.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>

// The quorvel-server binary as separate processes: two of them sharing one PostgreSQL and one
// storage folder, one that may not write a whole upload, and one killed in the middle of one.
class ServerProcessesTest : public QObject
{
    Q_OBJECT

private slots:
    void twoServersServeTheSameAccountsAndFiles()
    {
        if (PostgresCluster::programFolder().isEmpty())
            QSKIP("PostgreSQL is not installed (initdb and postgres under "
                  "/usr/lib/postgresql/*/bin)");
        PostgresCluster cluster;
        QString error;
        QVERIFY2(cluster.start(&error), qPrintable(error));
        const QString database = cluster.newDatabase(&error);
        QVERIFY2(!database.isEmpty(), qPrintable(error));
        ServerProcess first(storage.path(), database);
        ServerProcess second(storage.path(), database);
        QVERIFY2(first.start(&error), qPrintable(error));
        QVERIFY2(second.start(&error), qPrintable(error));

        const Account ann = registerAndLogIn(first, "ann@example.org");
        QVERIFY(!ann.token.isEmpty());
        QCOMPARE(getJson(second, ann.query("/get_user_info.php")).value("username").toString(),
                 QStringLiteral("ann"));
        const QByteArray content = "shared bytes";
        const QString link = json(upload(first, ann, content).body).value("fileurl").toString();
        const QString id = QUrl(link).path().mid(3, 22);
        QCOMPARE(listedIds(second, ann), QStringList{id});
        QCOMPARE(send("GET", QUrl(second.baseUrl() + QUrl(link).path())).body, content);

        QCOMPARE(getJson(second, ann.query("/delete_user_files.php") + "&file_id=" + id)
                     .value("success")
                     .toString(),
                 QStringLiteral("true"));
        QVERIFY(listedIds(first, ann).isEmpty());
        QCOMPARE(send("GET", QUrl(link)).status, 404);
        QVERIFY(storedFiles().isEmpty());

        getJson(second, ann.query("/user_logout.php"));
        QCOMPARE(getJson(first, ann.query("/get_user_info.php")).value("error").toString(),
                 QStringLiteral("Not logged in"));
    }

    void uploadThatCannotBeWrittenFailsCleanly()
    {
        ServerProcess server(storage.path(), {});
        server.setFileSizeLimit(1 << 20);
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        const Account ann = registerAndLogIn(server, "ann@example.org");

        const Answer big = upload(server, ann, QByteArray(2 << 20, 'b'));
        QCOMPARE(big.status, 507);
        QCOMPARE(json(big.body).value("error").toString(),
                 QStringLiteral("The server is out of space"));
        QVERIFY(listedIds(server, ann).isEmpty());
        QVERIFY(storedFiles().isEmpty());
        QVERIFY(incomingFiles().isEmpty());

        const QByteArray small(100 * 1024, 's');
        const Answer stored = upload(server, ann, small);
        QCOMPARE(stored.status, 200);
        const QString link = json(stored.body).value("fileurl").toString();
        QCOMPARE(listedIds(server, ann).size(), 1);
        QCOMPARE(send("GET", QUrl(link)).body, small);
    }

    void killDuringAnUploadLeavesNoRecord()
    {
        auto server = std::make_unique<ServerProcess>(storage.path(), QString());
        QString error;
        QVERIFY2(server->start(&error), qPrintable(error));
        const Account ann = registerAndLogIn(*server, "ann@example.org");

        const QByteArray body =
            UploadBody::build("cut.bin", "application/octet-stream", QByteArray(4 << 20, 'k'));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, QUrl(server->baseUrl()).port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("POST " + ann.query("/upload.php").toUtf8() + "&uuid=%7Bu%7D HTTP/1.1\r\n" +
                     "Host: 127.0.0.1\r\nContent-Type: " + UploadBody::contentType() +
                     "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
                     body.left(body.size() / 2));
        QTRY_VERIFY(!incomingFiles().isEmpty() && QFileInfo(incomingFiles()[0]).size() > 0);
        // Another server starting on the shared folder leaves a body still arriving alone.
        ServerProcess other(storage.path(), QString());
        QVERIFY2(other.start(&error), qPrintable(error));
        QCOMPARE(incomingFiles().size(), 1);
        other.stop();
        server->kill();
        QCOMPARE(incomingFiles().size(), 1);

        server = std::make_unique<ServerProcess>(storage.path(), QString());
        QVERIFY2(server->start(&error), qPrintable(error));
        QVERIFY(incomingFiles().isEmpty());
        QVERIFY(listedIds(*server, ann).isEmpty());
        QVERIFY(storedFiles().isEmpty());
        QCOMPARE(json(upload(*server, ann, "after").body).value("success").toString(),
                 QStringLiteral("true"));
        QCOMPARE(listedIds(*server, ann).size(), 1);
    }

    void cleanup()
    {
        QVERIFY(QDir(storage.path()).removeRecursively());
        QVERIFY(QDir().mkpath(storage.path()));
    }

private:
    struct Account
    {
        QString id, token;
        QString query(const QString &endpoint) const
        {
            return endpoint + QStringLiteral("?lang=en&token=%1&user_id=%2").arg(token, id);
        }
    };

    static QJsonObject json(const QByteArray &body)
    {
        return QJsonDocument::fromJson(body).object();
    }

    static QJsonObject getJson(const ServerProcess &server, const QString &pathAndQuery)
    {
        return json(send("GET", QUrl(server.baseUrl() + pathAndQuery, QUrl::TolerantMode)).body);
    }

    // An account made on the register page, as a person makes it, and logged in as the program
    // does.
    static Account registerAndLogIn(const ServerProcess &server, const QString &email)
    {
        const QString name = email.section('@', 0, 0);
        const QByteArray form = "name=" + name.toUtf8() +
                                "&email=" + QUrl::toPercentEncoding(email) +
                                "&password=secret-1&password2=secret-1";
        send("POST", QUrl(server.baseUrl() + "/en/users/register/"), form,
             {{"Content-Type", "application/x-www-form-urlencoded"}});
        const QJsonObject reply = getJson(
            server, QStringLiteral("/login.php?email=%1&pass=%2&ver=260&os=x&hostname=h&lang=en"
                                   "&uuid=%7Bu%7D")
                        .arg(email, ServiceApi::passwordHash(email, "secret-1")));
        return {reply.value("user_id").toString(), reply.value("token").toString()};
    }

    static Answer upload(const ServerProcess &server, const Account &account,
                         const QByteArray &content)
    {
        return send("POST",
                    QUrl(server.baseUrl() + account.query("/upload.php") + "&uuid=%7Bu%7D",
                         QUrl::TolerantMode),
                    UploadBody::build("f.bin", "application/octet-stream", content),
                    {{"Content-Type", UploadBody::contentType()}});
    }

    static QStringList listedIds(const ServerProcess &server, const Account &account)
    {
        QStringList ids;
        for (const QJsonValue entry :
             getJson(server, account.query("/get_last_user_files.php")).value("photos").toArray())
            ids << entry.toObject().value("id").toString();
        return ids;
    }

    QStringList filesIn(const QString &sub) const
    {
        QStringList found;
        QDirIterator all(storage.filePath(sub), QDir::Files, QDirIterator::Subdirectories);
        while (all.hasNext())
            found << all.next();
        return found;
    }
    QStringList storedFiles() const { return filesIn("files"); }
    QStringList incomingFiles() const { return filesIn("incoming"); }

    QTemporaryDir storage;
};

QTEST_GUILESS_MAIN(ServerProcessesTest)
#include "tst_server_processes.moc"
