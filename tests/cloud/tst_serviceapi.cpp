#include "../app/modalresponder.h"
#include "cloudtest.h"

#include "lastfiles.h"
#include "loginform.h"
#include "serviceapi.h"
#include "session.h"
#include "settings.h"
#include "settingskeys.h"
#include "uploadprogress.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The warnings written while it lives.
class LogCapture
{
public:
    LogCapture() : previous(qInstallMessageHandler(&LogCapture::record)) { lines().clear(); }
    ~LogCapture() { qInstallMessageHandler(previous); }
    static QStringList &lines()
    {
        static QStringList recorded;
        return recorded;
    }

private:
    static void record(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        lines() << text;
    }
    QtMessageHandler previous;
};

} // namespace

// What reaches the service: the query of every endpoint, the password hash, the reading of its
// replies and the session kept in the settings.
class ServiceApiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(serveLocally(service));
        service.setScript([](const RecordedRequest &) { return ScriptedReply::json({}); });
    }

    void init() { settingsStore().clear(); }

    void queryAsTheServerSeesIt_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rawFragment");
        const QString uuid = QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}");
        QTest::newRow("braces of the uuid encoded")
            << "en"
            << "uuid" << uuid << "uuid=%7B0f8fad5b-d9cb-469f-a165-70867728950e%7D";
        QTest::newRow("language in lower case") << "DE"
                                                << "lang"
                                                << "de"
                                                << "lang=de";
        QTest::newRow("no language is en") << ""
                                           << "lang"
                                           << "en"
                                           << "lang=en";
    }

    void queryAsTheServerSeesIt()
    {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, rawFragment);
        QSettings settings = settingsStore();
        if (!language.isEmpty())
            settings.setValue(SettingsKeys::Language, language);
        settings.setValue(SettingsKeys::Uuid,
                          QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
        settings.sync();

        const RecordedRequest request =
            sendAndRecord(ServiceApi::loginUrl(QStringLiteral("me@x.org"), QStringLiteral("pw")));
        QCOMPARE(request.path, QByteArray("/login.php"));
        QVERIFY2(request.query.contains(rawFragment.toUtf8()), request.query.constData());
        QCOMPARE(request.queryValue(key), value);
    }

    void awkwardValuesReachTheServiceAsTyped_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("ampersand in an e-mail") << "email"
                                                << "me&you@x.org";
        QTest::newRow("plus-addressed e-mail") << "email"
                                               << "ann+quorvel@x.org";
        QTest::newRow("hash sign in an e-mail") << "email"
                                                << "a#b@x.org";
        QTest::newRow("percent escape in an e-mail") << "email"
                                                     << "100%41@x.org";
        QTest::newRow("a value holding %2 is not substituted") << "email"
                                                               << "%2@x.org";
        QTest::newRow("code with space, equals and plus") << "code"
                                                          << "12 34=5+6";
        QTest::newRow("token with every awkward character") << "token"
                                                            << "t&k=1+2#3%41";
    }

    // Every value arrives whole, and the query keeps exactly the endpoint's keys: a server that
    // reads "+" as a space sees no raw "+" either.
    void awkwardValuesReachTheServiceAsTyped()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QUrl url;
        QByteArrayList keys;
        if (key == QLatin1String("email")) {
            url = ServiceApi::loginUrl(value, QStringLiteral("pw"));
            keys = {"email", "pass", "ver", "os", "hostname", "lang", "uuid"};
        } else if (key == QLatin1String("code")) {
            url = ServiceApi::checkCodeUrl(value);
            keys = {"code", "lang", "ver", "os", "hostname", "uuid"};
        } else {
            settingsStore().setValue(SettingsKeys::Token, value);
            url = ServiceApi::lastFilesUrl();
            keys = {"token", "user_id", "lang"};
        }
        const RecordedRequest request = sendAndRecord(url);
        QByteArrayList sent;
        for (const QByteArray &pair : request.query.split('&'))
            sent << pair.left(pair.indexOf('='));
        QCOMPARE(sent, keys);
        QCOMPARE(request.queryValue(key), value);
        QVERIFY2(!request.query.contains('+'), request.query.constData());
    }

    void everyEndpointSendsItsParametersInOrder_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("expected");
        const QString base = QStringLiteral("http://h");
        QTest::newRow("upload") << ServiceApi::buildUrl(base, ServiceApi::UploadPath,
                                                        {"ru", "260", "u", "t", "7"})
                                << "http://h/upload.php?lang=ru&ver=260&uuid=u&token=t&user_id=7";
        QTest::newRow("delete")
            << ServiceApi::buildUrl(base, ServiceApi::DeleteFilePath, {"t", "7", "en", "42"})
            << "http://h/delete_user_files.php?token=t&user_id=7&lang=en&file_id=42";
        QTest::newRow("check code")
            << ServiceApi::buildUrl(base, ServiceApi::CheckCodePath,
                                    {"12 34", "en", "260", "Debian GNU/Linux 12", "host", "u"})
            << "http://h/check_code.php?code=12%2034&lang=en&ver=260&os=Debian%20GNU%2FLinux%2012"
               "&hostname=host&uuid=u";
        QTest::newRow("hash sign encoded")
            << ServiceApi::buildUrl(base, ServiceApi::LogoutPath, {"a#b", "1"})
            << "http://h/user_logout.php?token=a%23b&user_id=1";
    }

    void everyEndpointSendsItsParametersInOrder()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromUtf8(url.toEncoded()), expected);
    }

    void commonValuesComeFromTheSettings()
    {
        QSettings settings = settingsStore();
        settings.setValue(SettingsKeys::Token, QStringLiteral("tok"));
        settings.setValue(SettingsKeys::UserId, QStringLiteral("42"));
        settings.sync();
        const RecordedRequest files = sendAndRecord(ServiceApi::lastFilesUrl());
        QCOMPARE(files.path, QByteArray("/get_last_user_files.php"));
        QCOMPARE(files.query, QByteArray("token=tok&user_id=42&lang=en"));

        settingsStore().remove(SettingsKeys::UserId);
        const RecordedRequest upload = sendAndRecord(ServiceApi::uploadUrl());
        QCOMPARE(upload.queryValue(QStringLiteral("user_id")), QStringLiteral("0"));
        QCOMPARE(upload.queryValue(QStringLiteral("ver")), QStringLiteral("260"));
    }

    void passwordHash_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("hash");
        QTest::newRow("plain") << "user@example.org"
                               << "secret"
                               << "26e4325b561c10ee7a0e95d9154775f7";
        QTest::newRow("empty fields") << ""
                                      << ""
                                      << "f6b122b18a45e2ce40e4c05477ed3202";
        QTest::newRow("utf-8") << QStringLiteral("Jürgen@x.de") << QStringLiteral("pässwort")
                               << "e7352be4e767abc5d47656735a40a21e";
        QTest::newRow("ends at a NUL") << QString::fromUtf8("a\0b", 3) << "x"
                                       << "0cc175b9c0f1b6a831c399e269772661";
    }

    void passwordHash()
    {
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QString, hash);
        QCOMPARE(ServiceApi::passwordHash(email, password), hash);
    }

    void repliesReadOnlyStrings_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("userId");
        QTest::newRow("strings") << QByteArray(R"({"success":"true","token":"t","user_id":"5"})")
                                 << true << "t"
                                 << "5";
        QTest::newRow("boolean true is a refusal")
            << QByteArray(R"({"success":true,"token":"t","user_id":"5"})") << false << "t"
            << "5";
        QTest::newRow("upper case True")
            << QByteArray(R"({"success":"True","token":"t"})") << false << "t"
            << "";
        QTest::newRow("numeric user id reads empty")
            << QByteArray(R"({"success":"true","token":"t","user_id":5})") << true << "t"
            << "";
        QTest::newRow("no JSON") << QByteArray("<html>502</html>") << false << ""
                                 << "";
        QTest::newRow("array at the top") << QByteArray(R"([{"success":"true"}])") << false << ""
                                          << "";
    }

    void repliesReadOnlyStrings()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, success);
        QFETCH(QString, token);
        QFETCH(QString, userId);
        const QJsonObject reply = ServiceApi::parseReply(body);
        QCOMPARE(ServiceApi::isSuccess(reply), success);
        QCOMPARE(ServiceApi::text(reply, QStringLiteral("token")), token);
        QCOMPARE(ServiceApi::text(reply, QStringLiteral("user_id")), userId);
    }

    void logoutTellsTheServiceAndStoresZeros()
    {
        Session::storeLogin(QStringLiteral("tok"), QStringLiteral("42"));
        QVERIFY(isLoggedIn());
        const int before = service.requestCount();
        Session::logout();
        QTRY_COMPARE(service.requestCount(), before + 1);
        const RecordedRequest request = service.requests().constLast();
        QCOMPARE(request.path, QByteArray("/user_logout.php"));
        QCOMPARE(request.query, QByteArray("token=tok&user_id=42"));
        const QSettings settings = settingsStore();
        for (const char *key : {SettingsKeys::IsAuth, SettingsKeys::Token, SettingsKeys::UserId})
            QCOMPARE(settings.value(key).toString(), QStringLiteral("0"));
        QVERIFY(!isLoggedIn());

        // Without a token nothing is sent; the zeros are stored all the same.
        settingsStore().setValue(SettingsKeys::Token, QString());
        Session::logout();
        QTest::qWait(200);
        QCOMPARE(service.requestCount(), before + 1);
        QCOMPARE(settingsStore().value(SettingsKeys::Token).toString(), QStringLiteral("0"));
    }

    // Every window that reports a failed request, against the failures whose text in the network
    // library holds the request's URL: neither the message nor the log may carry a credential.
    void failuresShowNoCredentials_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<QString>("expected");
        for (const char *window : {"login", "files", "upload", "account"}) {
            QTest::addRow("%s, HTTP error", window)
                << window << false << "The service answered 500 Scripted";
            QTest::addRow("%s, endless reply", window)
                << window << true << "The service's reply is too large";
        }
    }

    void failuresShowNoCredentials()
    {
        QFETCH(QString, window);
        QFETCH(bool, endless);
        QFETCH(QString, expected);
        const QString token = QStringLiteral("SECRET-TOKEN");
        const QString email = QStringLiteral("ann@x.org");
        Session::storeLogin(token, QStringLiteral("42"));
        service.setScript([endless](const RecordedRequest &) {
            return endless ? ScriptedReply::endlessBody()
                           : ScriptedReply{500, "text/plain", "no", false};
        });

        LogCapture log;
        ModalResponder responder({acknowledge()});
        QStringList shown;
        if (window == QLatin1String("login")) {
            LoginForm form;
            form.findChild<QLineEdit *>(QStringLiteral("edit_email"))->setText(email);
            form.findChild<QLineEdit *>(QStringLiteral("edit_password"))->setText("pw");
            QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bt_login")),
                              Qt::LeftButton);
            QTRY_VERIFY(responder.finished());
        } else if (window == QLatin1String("files")) {
            LastFiles files;
            QTRY_VERIFY(responder.finished());
        } else if (window == QLatin1String("upload")) {
            QTemporaryDir folder;
            QFile file(folder.filePath(QStringLiteral("a.txt")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
            file.close();
            UploadProgress popup;
            QVERIFY(popup.upload(file.fileName()));
            QTRY_VERIFY(responder.finished());
        } else {
            Settings dialog;
            auto *name = dialog.findChild<QLabel *>(QStringLiteral("user_name"));
            QTRY_COMPARE(name->text(), QStringLiteral("You are not logined"));
            shown = LogCapture::lines().filter(QStringLiteral("Load user info failed:"));
        }
        shown << responder.messages;
        const QString said = shown.join(QLatin1Char('\n'));
        QVERIFY2(said.contains(expected), qPrintable(said));
        QVERIFY2(!said.contains(QLatin1Char('?')), qPrintable(said));
        const QString logged = LogCapture::lines().join(QLatin1Char('\n'));
        for (const QString &secret :
             {token, email, ServiceApi::passwordHash(email, QStringLiteral("pw")),
              QStringLiteral("token=")})
            QVERIFY2(!said.contains(secret) && !logged.contains(secret),
                     qPrintable(said + '\n' + logged));
    }

private:
    RecordedRequest sendAndRecord(const QUrl &url)
    {
        const int before = service.requestCount();
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(ServiceApi::request(url));
        if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000))
            return {};
        delete reply;
        return service.requestCount() > before ? service.requests().constLast() : RecordedRequest{};
    }

    LocalService service;
};

QTEST_MAIN(ServiceApiTest)
#include "tst_serviceapi.moc"
