#include "testserver.h"

#include "../../tests/support/selfsigned.h"
#include "avatar.h"
#include "multipart.h"
#include "ocrrequest.h"
#include "ratelimiter.h"
#include "serviceapi.h"
#include "uploadbody.h"

#include <QBuffer>
#include <QDateTime>
#include <QDirIterator>
#include <QHttpMultiPart>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QTest>
#include <QUrlQuery>
#include <QUuid>

// Every endpoint against a server in this process: what it refuses and why, what it stores
// where, and the bytes and headers of what it serves.
class ServerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QUORVEL_PREPARE_TEST_STORE();
        ServerConfig config;
        config.maxUploadBytes = 256 * 1024;
        server = std::make_unique<TestServer>(config);
        annId = server->addUser("ann@example.org", "ann-secret");
        bobId = server->addUser("bob@example.org", "bob-secret", "Bob");
        annToken = login("ann@example.org", "ann-secret");
        bobToken = login("bob@example.org", "bob-secret");
        QVERIFY(!annToken.isEmpty() && !bobToken.isEmpty());
    }

    void loginRefusals_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("pass");
        const QString right = ServiceApi::passwordHash("ann@example.org", "ann-secret");
        QTest::newRow("wrong password")
            << "ann@example.org" << ServiceApi::passwordHash("ann@example.org", "guess");
        QTest::newRow("unknown address") << "nobody@example.org" << right;
        // The program hashes the address as typed: another spelling is another hash.
        QTest::newRow("address in capitals")
            << "ANN@example.org" << ServiceApi::passwordHash("ANN@example.org", "ann-secret");
        QTest::newRow("stored credential is not the password")
            << "ann@example.org" << storedCredentialOf(annId);
        QTest::newRow("no hash") << "ann@example.org"
                                 << "";
    }

    void loginRefusals()
    {
        QFETCH(QString, email);
        QFETCH(QString, pass);
        const QJsonObject reply =
            getJson(QStringLiteral("/login.php?email=%1&pass=%2&ver=260&os=x&hostname=h&lang=en"
                                   "&uuid=%7Bu%7D")
                        .arg(email, QString::fromLatin1(QUrl::toPercentEncoding(pass))));
        QCOMPARE(reply.value("success").toString(), QStringLiteral("false"));
        QCOMPARE(reply.value("error").toString(), QStringLiteral("Wrong e-mail or password"));
        QVERIFY(!reply.contains("token"));
    }

    void tokenRefusals_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("userId");
        const QString fileId = uploadFile(annToken, annId, "kept.png", png(QSize(4, 4))).id;
        for (const QString &endpoint :
             {QStringLiteral("/get_user_info.php?token=%1&user_id=%2&lang=en"),
              QStringLiteral("/get_last_user_files.php?token=%1&user_id=%2&lang=en"),
              QStringLiteral("/delete_user_files.php?token=%1&user_id=%2&lang=en&file_id=") +
                  fileId}) {
            const QByteArray name = endpoint.section('?', 0, 0).toLatin1();
            QTest::newRow(name + " without token") << endpoint << ""
                                                   << "0";
            QTest::newRow(name + " unknown token")
                << endpoint << Credentials::newToken() << QString::number(annId);
            QTest::newRow(name + " token of another account")
                << endpoint << bobToken << QString::number(annId);
        }
    }

    void tokenRefusals()
    {
        QFETCH(QString, endpoint);
        QFETCH(QString, token);
        QFETCH(QString, userId);
        const QJsonObject reply = getJson(endpoint.arg(token, userId));
        QCOMPARE(reply.value("success").toString(), QStringLiteral("false"));
        QCOMPARE(reply.value("error").toString(), QStringLiteral("Not logged in"));
        QCOMPARE(server->store.fileCount(annId) > 0, true);
    }

    void logoutRevokesTheToken()
    {
        const QString token = login("ann@example.org", "ann-secret");
        const QString info =
            QStringLiteral("/get_user_info.php?token=%1&user_id=%2&lang=en").arg(token).arg(annId);
        QJsonObject reply = getJson(info);
        QVERIFY(reply.take("photo").toString().startsWith(server->baseUrl() + "/a/"));
        QCOMPARE(reply,
                 (QJsonObject{
                     {"success", "true"}, {"username", "Ann"}, {"userinfo", "ann@example.org"}}));
        getJson(QStringLiteral("/user_logout.php?token=%1&user_id=%2").arg(token).arg(annId));
        QCOMPARE(getJson(info).value("success").toString(), QStringLiteral("false"));
        // The account's other sessions go on.
        QCOMPARE(getJson(QStringLiteral("/get_user_info.php?token=%1&user_id=%2&lang=en")
                             .arg(annToken)
                             .arg(annId))
                     .value("success")
                     .toString(),
                 QStringLiteral("true"));
    }

    void initials_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("initials");
        QTest::newRow("two words") << "Ann Lee"
                                   << "a@example.org"
                                   << "AL";
        QTest::newRow("one word") << "ann"
                                  << "a@example.org"
                                  << "A";
        QTest::newRow("three words, spaces and marks") << "  (dr.)   émile  Zola "
                                                       << "a@example.org"
                                                       << "DÉ";
        QTest::newRow("Cyrillic") << "юлія петренко"
                                  << "a@example.org"
                                  << "ЮП";
        QTest::newRow("no letters in the name") << "--- ***"
                                                << "zoe@example.org"
                                                << "Z";
    }

    void initials()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, initials);
        QCOMPARE(Avatar::initialsOf(name, email), initials);
    }

    void avatarPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("letters");
        QTest::newRow("Latin") << "Carl Lee" << true;
        QTest::newRow("Cyrillic") << "Юлія Петренко" << true;
        QTest::newRow("no name") << "" << true;
        // Boxes for missing glyphs would look broken: such letters are left out.
        QTest::newRow("letters the font lacks") << "李雷" << false;
    }

    void avatarPictures()
    {
        QFETCH(QString, name);
        QFETCH(bool, letters);
        const QString email = QUuid::createUuid().toString(QUuid::Id128) + "@example.org";
        const qint64 id = server->addUser(email, "secret", name);
        const QString link = photoOf(login(email, "secret"), id);
        // An opaque id: neither the address nor the account number shows.
        QVERIFY2(
            QRegularExpression("^/a/[A-Za-z0-9_-]{22}\\.png$").match(QUrl(link).path()).hasMatch(),
            qPrintable(link));

        const Answer first = send("GET", QUrl(link));
        QCOMPARE(first.status, 200);
        QCOMPARE(first.headers.value("content-type"), QByteArray("image/png"));
        QCOMPARE(first.headers.value("cache-control"), QByteArray("public, max-age=86400"));
        const Answer second = send("GET", QUrl(link));
        QCOMPARE(second.body, first.body);
        QCOMPARE(second.headers.value("etag"), first.headers.value("etag"));
        const Answer current =
            send("GET", QUrl(link), {}, {{"If-None-Match", first.headers.value("etag")}});
        QCOMPARE(current.status, 304);
        QVERIFY(current.body.isEmpty());

        const QImage picture = QImage::fromData(first.body, "PNG");
        QCOMPARE(picture.size(), QSize(Avatar::Edge, Avatar::Edge));
        QCOMPARE(picture.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(picture.pixelColor(Avatar::Edge / 2, 3).alpha(), 255);
        QCOMPARE(whitePixels(picture) > 20, letters);
    }

    void eachAccountHasItsOwnColourAndLink()
    {
        const QString annLink = photoOf(annToken, annId);
        QCOMPARE(photoOf(login("ann@example.org", "ann-secret"), annId), annLink);
        const QString bobLink = photoOf(bobToken, bobId);
        QVERIFY(bobLink != annLink);
        const QImage ann = QImage::fromData(send("GET", QUrl(annLink)).body, "PNG");
        const QImage bob = QImage::fromData(send("GET", QUrl(bobLink)).body, "PNG");
        QVERIFY(ann.pixelColor(Avatar::Edge / 2, 3) != bob.pixelColor(Avatar::Edge / 2, 3));
    }

    void unknownAvatarsAreNotFound_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("unknown id") << "/a/" + Credentials::newPublicId() + ".png";
        QTest::newRow("known id without its extension")
            << QUrl(photoOf(annToken, annId)).path().chopped(4);
        QTest::newRow("no id") << "/a/.png";
        QTest::newRow("path out of the folder") << "/a/..%2Fquorvel.db";
    }

    void unknownAvatarsAreNotFound()
    {
        QFETCH(QString, path);
        QCOMPARE(send("GET", url(path)).status, 404);
    }

    void onlyTheOwnerDeletesAFile()
    {
        const Uploaded file = uploadFile(annToken, annId, "mine.png", png(QSize(8, 8)));
        const QString remove =
            QStringLiteral("/delete_user_files.php?token=%1&user_id=%2&lang=en&file_id=%3");
        QCOMPARE(getJson(remove.arg(bobToken).arg(bobId).arg(file.id)),
                 (QJsonObject{{"success", "false"}, {"error", "No such file"}}));
        QCOMPARE(send("GET", file.link).status, 200);

        QCOMPARE(getJson(remove.arg(annToken).arg(annId).arg(file.id)),
                 (QJsonObject{{"success", "true"}}));
        QCOMPARE(send("GET", file.link).status, 404);
        QVERIFY(!QFile::exists(server->files.filePath(file.id)));
        QVERIFY(!listedIds(annToken, annId).contains(file.id));
    }

    void uploadRefusals_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        const QByteArray type = UploadBody::contentType();
        const QByteArray good = UploadBody::build("a.png", "image/png", png(QSize(4, 4)));
        QTest::newRow("over the size limit")
            << type
            << UploadBody::build("big.bin", "application/octet-stream", QByteArray(300 * 1024, 'x'))
            << "The file is too large: at most 256 KB";
        QTest::newRow("no closing boundary")
            << type << good.left(good.size() - 30)
            << "Malformed upload: multipart body ends inside a part";
        QTest::newRow("no boundary in the header")
            << QByteArray("multipart/form-data") << good
            << "Malformed upload: not a multipart/form-data body";
        QTest::newRow("headers without end")
            << type << QByteArray("--") + UploadBody::Boundary + "\r\nContent-Disposition: x"
            << "Malformed upload: malformed multipart part headers";
        QByteArray noFileName = good;
        noFileName.replace("; filename=\"a.png\"", "");
        QTest::newRow("no file name") << type << noFileName << "The upload carried no file";
        QTest::newRow("empty file")
            << type << UploadBody::build("e.png", "image/png", {}) << "The file is empty";
    }

    void uploadRefusals()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        const int before = storedFiles().size();
        const Answer answer =
            send("POST", url(uploadPath(annToken, annId)), body, {{"Content-Type", contentType}});
        QCOMPARE(answer.error, QNetworkReply::NoError);
        QCOMPARE(json(answer.body), (QJsonObject{{"success", "false"}, {"error", error}}));
        QCOMPARE(storedFiles().size(), before);
        QTRY_VERIFY(QDir(server->storageFolder() + "/incoming").isEmpty());
    }

    void pathLikeNamesAreOnlyData_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("kept");
        QTest::newRow("parent folders") << "../../escape.png"
                                        << "escape.png";
        QTest::newRow("backslashes") << "..\\..\\escape.png"
                                     << "escape.png";
        QTest::newRow("absolute") << "/etc/passwd"
                                  << "passwd";
        QTest::newRow("quotes stay") << "say \"hi\".png"
                                     << "say \"hi\".png";
        QTest::newRow("only dots") << ".."
                                   << "file";
        QTest::newRow("spaces and letters") << "Bild vom Überfall 1.png"
                                            << "Bild vom Überfall 1.png";
        QTest::newRow("header parameters") << "a.png; filename=evil.exe, b"
                                           << "a.png; filename=evil.exe, b";
    }

    void pathLikeNamesAreOnlyData()
    {
        QFETCH(QString, sent);
        QFETCH(QString, kept);
        const Uploaded file = uploadFile(annToken, annId, sent, png(QSize(4, 4)));
        QVERIFY(FileStore::isPublicId(file.id));
        QCOMPARE(file.originalName, kept);
        const Answer served = send("GET", file.link);
        QCOMPARE(served.body, png(QSize(4, 4)));
        // The name is one percent-encoded value: a browser saves the file under it, and nothing
        // in it can end the value or add parameters to the header.
        const QByteArray disposition = served.headers.value("content-disposition");
        const QByteArray prefix = "inline; filename*=UTF-8''";
        QVERIFY2(disposition.startsWith(prefix), disposition.constData());
        const QByteArray value = disposition.mid(prefix.size());
        for (char separator : {' ', ';', '"', ',', '\\'})
            QVERIFY2(!value.contains(separator), disposition.constData());
        QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(value)), kept);
        QDirIterator all(server->folder.path(), QDir::Files, QDirIterator::Subdirectories);
        while (all.hasNext()) {
            const QString path = all.next();
            QVERIFY2(!path.contains("escape") && !path.contains("passwd"), qPrintable(path));
        }
    }

    void servedFilesCarryTypeAndCaching_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("claimed");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("servedType");
        QTest::addColumn<QByteArray>("disposition");
        QTest::addColumn<bool>("thumbnail");
        QTest::newRow("picture") << "shot.png" << QByteArray("image/png") << png(QSize(640, 320))
                                 << QByteArray("image/png") << QByteArray("inline") << true;
        QTest::newRow("picture by its content")
            << "shot.bin" << QByteArray("text/html") << png(QSize(20, 20))
            << QByteArray("image/png") << QByteArray("inline") << true;
        // A page uploaded here must not run as this host's page.
        QTest::newRow("page as bytes")
            << "x.html" << QByteArray("text/html") << QByteArray("<script>alert(1)</script>")
            << QByteArray("application/octet-stream") << QByteArray("attachment") << false;
        QTest::newRow("text") << "notes.txt" << QByteArray("text/plain") << QByteArray("hello\n")
                              << QByteArray("text/plain") << QByteArray("inline") << false;
    }

    void servedFilesCarryTypeAndCaching()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, claimed);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, servedType);
        QFETCH(QByteArray, disposition);
        QFETCH(bool, thumbnail);
        const Uploaded file = uploadFile(annToken, annId, name, content, claimed);
        const Answer served = send("GET", file.link);
        QCOMPARE(served.status, 200);
        QCOMPARE(served.body, content);
        QCOMPARE(served.headers.value("content-type"), servedType);
        QVERIFY(served.headers.value("content-disposition").startsWith(disposition));
        QCOMPARE(served.headers.value("cache-control"),
                 QByteArray("public, max-age=31536000, immutable"));
        QCOMPARE(served.headers.value("x-content-type-options"), QByteArray("nosniff"));
        const Answer again =
            send("GET", file.link, {}, {{"If-None-Match", served.headers.value("etag")}});
        QCOMPARE(again.status, 304);
        QVERIFY(again.body.isEmpty());

        QCOMPARE(file.image.isEmpty(), !thumbnail);
        if (thumbnail) {
            const QImage small = QImage::fromData(send("GET", file.image).body, "PNG");
            QVERIFY(!small.isNull());
            QVERIFY(qMax(small.width(), small.height()) <= 200);
        }
    }

    void uploadOfSeveralMegabytesArrivesWhole()
    {
        TestServer roomy;
        QByteArray content(5 * 1024 * 1024, 'q');
        content[content.size() - 1] = 'z';
        const QJsonObject reply =
            json(send("POST", QUrl(roomy.baseUrl() + uploadPath("", 0)),
                      UploadBody::build("big.bin", "application/octet-stream", content),
                      {{"Content-Type", UploadBody::contentType()}})
                     .body);
        QCOMPARE(reply.value("success").toString(), QStringLiteral("true"));
        QCOMPARE(send("GET", QUrl(reply.value("fileurl").toString())).body, content);
    }

    void pictureOverThePixelLimitGetsNoThumbnail()
    {
        ServerConfig config;
        config.maxImagePixels = 100 * 100;
        TestServer small(config);
        small.addUser("c@example.org", "c-secret");
        // Declares 20000 x 20000 in its header: not decoded at all.
        const QByteArray huge = bigPngHeaderOnly();
        const QJsonObject reply = json(send("POST", QUrl(small.baseUrl() + uploadPath("", 0)),
                                            UploadBody::build("huge.png", "image/png", huge),
                                            {{"Content-Type", UploadBody::contentType()}})
                                           .body);
        QCOMPARE(reply.value("success").toString(), QStringLiteral("true"));
        QVERIFY(QDir(small.storageFolder() + "/thumbnails").isEmpty());
    }

    void unknownTokenStoresAnonymouslyWithAuthfail()
    {
        const QByteArray body = UploadBody::build("anon.png", "image/png", png(QSize(4, 4)));
        const QJsonObject reply = json(send("POST", url(uploadPath(Credentials::newToken(), annId)),
                                            body, {{"Content-Type", UploadBody::contentType()}})
                                           .body);
        QCOMPARE(reply.value("success").toString(), QStringLiteral("true"));
        QCOMPARE(reply.value("authfail").toString(), QStringLiteral("1"));
        const QString id = QUrl(reply.value("fileurl").toString()).path().mid(3, 22);
        const auto record = server->store.file(id);
        QVERIFY(record);
        QCOMPARE(record->userId, 0);
        QCOMPARE(record->uuid, QStringLiteral("{u}"));
    }

    void ocrRefusals_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        QTest::newRow("bad signature") << "key" << 403 << "bad signature";
        QTest::newRow("signature of other fields") << "nonce" << 403 << "bad signature";
        QTest::newRow("stale timestamp") << "past" << 403 << "stale timestamp";
        QTest::newRow("timestamp from the future") << "future" << 403 << "stale timestamp";
        QTest::newRow("replayed nonce") << "replay" << 403 << "replayed nonce";
        QTest::newRow("no picture") << "file" << 400 << "the file is no picture";
    }

    void ocrRefusals()
    {
        QFETCH(QString, change);
        QFETCH(int, status);
        QFETCH(QString, error);
        const QByteArray key = QByteArrayLiteral(QUORVEL_TEST_OCR_KEY);
        const QString uuid = QStringLiteral("{11111111-2222-3333-4444-555555555555}");
        OcrRequest::Signed fields = OcrRequest::sign(uuid, key);
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        if (change == "key")
            fields.signature = OcrRequest::signature(uuid, fields.ts, fields.nonce, "other key");
        if (change == "nonce")
            fields.nonce = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
        if (change == "past" || change == "future") {
            fields.ts = QByteArray::number(change == "past" ? now - 301 : now + 301);
            fields.signature = OcrRequest::signature(uuid, fields.ts, fields.nonce, key);
        }
        const QByteArray picture = change == "file" ? QByteArray("not a png") : png(QSize(60, 20));
        if (change == "replay")
            QCOMPARE(postOcr(fields, picture).status, 200);
        const Answer answer = postOcr(fields, picture);
        QCOMPARE(answer.status, status);
        QCOMPARE(json(answer.body).value("error").toString(), error);
    }

    void codeFromTheSiteLogsInOnce()
    {
        const QUrl page = url("/de/users/ulogin/1/");
        QCOMPARE(send("POST", page, "email=bob%40example.org&password=wrong",
                      {{"Content-Type", "application/x-www-form-urlencoded"}})
                     .status,
                 403);
        const Answer answer = send("POST", page, "email=bob%40example.org&password=bob-secret",
                                   {{"Content-Type", "application/x-www-form-urlencoded"}});
        QCOMPARE(answer.status, 200);
        const QRegularExpressionMatch code =
            QRegularExpression("class=\"code\">([0-9]{8})<").match(QString(answer.body));
        QVERIFY(code.hasMatch());
        const QString check =
            QStringLiteral("/check_code.php?code=%1&lang=de&ver=260&os=x&hostname=h&uuid=%7Bu%7D")
                .arg(code.captured(1));
        const QJsonObject first = getJson(check);
        QCOMPARE(first.value("success").toString(), QStringLiteral("true"));
        QCOMPARE(first.value("user_id").toString(), QString::number(bobId));
        QCOMPARE(first.value("token").toString().size(), 64);
        QCOMPARE(getJson(check), (QJsonObject{{"success", "false"}, {"error", "Invalid code"}}));
    }

    void registerPage_data()
    {
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<int>("status");
        QTest::newRow("new account")
            << QByteArray("name=Dora+D&email=dora%40example.org&password=dora-pass&password2="
                          "dora-pass")
            << 200;
        QTest::newRow("address taken, other case")
            << QByteArray("name=D&email=DORA%40example.org&password=dora-pass&password2=dora-pass")
            << 409;
        QTest::newRow("passwords differ")
            << QByteArray("name=E&email=e%40example.org&password=e-pass-1&password2=e-pass-2")
            << 400;
        QTest::newRow("no address")
            << QByteArray("name=E&email=e&password=e-pass-1&password2=e-pass-1") << 400;
    }

    void registerPage()
    {
        QFETCH(QByteArray, form);
        QFETCH(int, status);
        QVERIFY(send("GET", url("/en/users/register/")).body.contains("name=\"password2\""));
        QCOMPARE(send("POST", url("/en/users/register/"), form,
                      {{"Content-Type", "application/x-www-form-urlencoded"}})
                     .status,
                 status);
        if (QTest::currentDataTag() == QLatin1String("new account"))
            QVERIFY(!login("dora@example.org", "dora-pass").isEmpty());
    }

    void multipartPartsAcrossReadBlocks_data()
    {
        QTest::addColumn<int>("contentBytes");
        // The parser reads 1 MiB blocks: boundaries just before, across and after a border.
        for (int shift : {-200, -60, -30, -1, 0, 1, 30})
            QTest::newRow(qPrintable(QString::number(shift))) << (1 << 20) + shift;
    }

    void multipartPartsAcrossReadBlocks()
    {
        QFETCH(int, contentBytes);
        QByteArray content(contentBytes, 'a');
        content[contentBytes - 1] = 'z';
        const QByteArray body =
            "preamble\r\n" + UploadBody::build("n.bin", "application/octet-stream", content);
        QBuffer device;
        device.setData(body);
        device.open(QIODevice::ReadOnly);
        const Multipart::Parsed parsed = Multipart::parse(device, UploadBody::Boundary);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.parts.size(), 1);
        QCOMPARE(parsed.parts[0].fileName, QStringLiteral("n.bin"));
        bool ok = false;
        QCOMPARE(Multipart::read(device, parsed.parts[0], contentBytes, &ok), content);
    }

    void rateLimits_data()
    {
        QTest::addColumn<int>("perMinute");
        QTest::addColumn<QList<qint64>>("timesMs");
        QTest::addColumn<QList<bool>>("allowed");
        QTest::newRow("burst up to the limit")
            << 3 << QList<qint64>{0, 1, 2, 3} << QList<bool>{true, true, true, false};
        QTest::newRow("refills over the minute") << 2 << QList<qint64>{0, 0, 0, 30000, 30001}
                                                 << QList<bool>{true, true, false, true, false};
        QTest::newRow("no limit") << 0 << QList<qint64>{0, 0, 0} << QList<bool>{true, true, true};
    }

    void rateLimits()
    {
        QFETCH(int, perMinute);
        QFETCH(QList<qint64>, timesMs);
        QFETCH(QList<bool>, allowed);
        RateLimiter limiter;
        QList<bool> got;
        for (qint64 t : timesMs)
            got << limiter.allow("k", perMinute, 1000000 + t);
        QCOMPARE(got, allowed);
        QVERIFY(limiter.allow("other key", perMinute, 1000000));
    }

    void addressOverItsRateGetsTooManyRequests()
    {
        ServerConfig config;
        config.requestsPerMinutePerAddress = 5;
        TestServer limited(config);
        QList<int> statuses;
        for (int i = 0; i < 7; ++i)
            statuses << send("GET", QUrl(limited.baseUrl() + "/")).status;
        QCOMPARE(statuses, (QList<int>{200, 200, 200, 200, 200, 429, 429}));
    }

    void configurationRefusals_data()
    {
        QTest::addColumn<QString>("listen");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<bool>("valid");
        const QByteArray key = QUORVEL_TEST_OCR_KEY;
        QTest::newRow("plain on loopback") << "127.0.0.1"
                                           << "" << key << true;
        QTest::newRow("plain on IPv6 loopback") << "::1"
                                                << "" << key << true;
        QTest::newRow("plain on all addresses") << "0.0.0.0"
                                                << "" << key << false;
        QTest::newRow("TLS on all addresses") << "0.0.0.0"
                                              << "c.pem" << key << true;
        QTest::newRow("no OCR key") << "127.0.0.1"
                                    << "" << QByteArray() << false;
        QTest::newRow("host name") << "localhost"
                                   << "" << key << false;
    }

    void configurationRefusals()
    {
        QFETCH(QString, listen);
        QFETCH(QString, certificate);
        QFETCH(QByteArray, key);
        QFETCH(bool, valid);
        ServerConfig config;
        config.listenAddress = listen;
        config.certificateFile = certificate;
        config.keyFile = certificate.isEmpty() ? QString() : QStringLiteral("k.pem");
        config.ocrKey = key;
        QString error;
        QCOMPARE(config.validate(&error), valid);
        QCOMPARE(error.isEmpty(), valid);
    }

    void servesTlsWithTheConfiguredCertificate()
    {
        QTemporaryDir keys;
        ServerConfig config;
        config.certificateFile = keys.filePath("cert.pem");
        config.keyFile = keys.filePath("key.pem");
        writeFile(config.certificateFile, SelfSigned::Certificate);
        writeFile(config.keyFile, SelfSigned::Key);
        TestServer secure(config);
        const QString base = QStringLiteral("https://127.0.0.1:%1/").arg(secure.http->port());

        QNetworkAccessManager manager;
        QNetworkRequest request(base);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(QSslCertificate::fromData(SelfSigned::Certificate));
        request.setSslConfiguration(tls);
        QNetworkReply *reply = manager.get(request);
        QTRY_VERIFY(reply->isFinished());
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        QVERIFY(reply->readAll().contains("Quorvel"));
        delete reply;
        // Without trusting the certificate the client refuses, as the program does.
        QCOMPARE(send("GET", QUrl(base)).error, QNetworkReply::SslHandshakeFailedError);
    }

private:
    struct Uploaded
    {
        QString id, link, image, originalName;
    };

    static QByteArray png(const QSize &size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // The signature and IHDR of a 20000 x 20000 PNG and nothing else.
    static QByteArray bigPngHeaderOnly()
    {
        QByteArray bytes = png(QSize(1, 1));
        const auto put = [&bytes](int at, quint32 value) {
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = char(value >> (24 - 8 * i));
        };
        put(16, 20000);
        put(20, 20000);
        return bytes;
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QJsonObject json(const QByteArray &body)
    {
        return QJsonDocument::fromJson(body).object();
    }

    QUrl url(const QString &pathAndQuery) const
    {
        return QUrl(server->baseUrl() + pathAndQuery, QUrl::TolerantMode);
    }

    QJsonObject getJson(const QString &pathAndQuery) const
    {
        return json(send("GET", url(pathAndQuery)).body);
    }

    QString photoOf(const QString &token, qint64 userId) const
    {
        return getJson(QStringLiteral("/get_user_info.php?token=%1&user_id=%2&lang=en")
                           .arg(token)
                           .arg(userId))
            .value("photo")
            .toString();
    }

    static int whitePixels(const QImage &picture)
    {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += picture.pixelColor(x, y).lightness() > 240 ? 1 : 0;
        return count;
    }

    QString storedCredentialOf(qint64 id) const { return server->store.userById(id)->credential; }

    QString login(const QString &email, const QString &password) const
    {
        return getJson(QStringLiteral("/login.php?email=%1&pass=%2&ver=260&os=x&hostname=h&lang="
                                      "en&uuid=%7Bu%7D")
                           .arg(email, ServiceApi::passwordHash(email, password)))
            .value("token")
            .toString();
    }

    static QString uploadPath(const QString &token, qint64 userId)
    {
        return QStringLiteral("/upload.php?lang=en&ver=260&uuid=%7Bu%7D&token=%1&user_id=%2")
            .arg(token)
            .arg(userId);
    }

    Uploaded uploadFile(const QString &token, qint64 userId, const QString &name,
                        const QByteArray &content, const QByteArray &type = "image/png") const
    {
        const QJsonObject reply =
            json(send("POST", url(uploadPath(token, userId)),
                      UploadBody::build(name, QString::fromLatin1(type), content),
                      {{"Content-Type", UploadBody::contentType()}})
                     .body);
        Uploaded file;
        file.link = reply.value("fileurl").toString();
        file.id = QUrl(file.link).path().mid(3, 22);
        for (const QJsonValue entry :
             getJson(QStringLiteral("/get_last_user_files.php?token=%1&user_id=%2&lang=en")
                         .arg(token)
                         .arg(userId))
                 .value("photos")
                 .toArray()) {
            if (entry.toObject().value("id").toString() == file.id) {
                file.image = entry.toObject().value("image").toString();
                file.originalName = entry.toObject().value("original_filename").toString();
            }
        }
        return file;
    }

    QStringList listedIds(const QString &token, qint64 userId) const
    {
        QStringList ids;
        for (const QJsonValue entry :
             getJson(QStringLiteral("/get_last_user_files.php?token=%1&user_id=%2&lang=en")
                         .arg(token)
                         .arg(userId))
                 .value("photos")
                 .toArray())
            ids << entry.toObject().value("id").toString();
        return ids;
    }

    QStringList storedFiles() const
    {
        QStringList files;
        QDirIterator all(server->storageFolder() + "/files", QDir::Files,
                         QDirIterator::Subdirectories);
        while (all.hasNext())
            files << all.next();
        return files;
    }

    Answer postOcr(const OcrRequest::Signed &fields, const QByteArray &picture) const
    {
        QHttpMultiPart *body = OcrRequest::body(fields, picture);
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.post(QNetworkRequest(url("/ocr.php")), body);
        body->setParent(reply);
        return answerOf(reply);
    }

    std::unique_ptr<TestServer> server;
    qint64 annId = 0;
    qint64 bobId = 0;
    QString annToken;
    QString bobToken;
};

// A full application: avatars are drawn with fonts.
QTEST_MAIN(ServerTest)
#include "tst_server.moc"
