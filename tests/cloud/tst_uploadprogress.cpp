#include "../app/modalresponder.h"
#include "cloudtest.h"

#include "screenshot.h"
#include "serviceapi.h"
#include "session.h"
#include "settingskeys.h"
#include "uploadprogress.h"
#include "videohandoff.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

// The upload popup against a local server: the bytes on the wire, every kind of reply, what
// happens to a capture whose upload failed, the tray notice, cancelling and a silent server.
class UploadProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(serveLocally(service));
        QVERIFY(files.isValid());
    }

    void init()
    {
        settingsStore().clear();
        QDir(desktopFolder()).removeRecursively();
        QFile::remove(desktopFolder().chopped(1));
        QGuiApplication::clipboard()->clear();
    }

    void bodyOnTheWireAndLinkOnTheClipboard_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("mimeType");
        QTest::addColumn<QByteArray>("sentName");
        QTest::newRow("capture") << "shot.png" << QByteArray("image/png") << QByteArray("shot.png");
        // The service reads the name up to the line's last quote.
        QTest::newRow("double quote unescaped")
            << "say \"hi\".txt" << QByteArray("text/plain") << QByteArray("say \"hi\".txt");
        // Raw, they would end the header and let the name write headers of its own.
        QTest::newRow("line breaks encoded")
            << "a\r\nX-Injected: 1\r\n\r\nb.txt" << QByteArray("text/plain")
            << QByteArray("a%0D%0AX-Injected: 1%0D%0A%0D%0Ab.txt");
    }

    void bodyOnTheWireAndLinkOnTheClipboard()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, mimeType);
        QFETCH(QByteArray, sentName);
        const QString path = files.filePath(fileName);
        const QByteArray content = mimeType == "image/png" ? capturePng() : QByteArray("hello\n");
        writeFile(path, content);
        QSettings settings = settingsStore();
        settings.setValue(SettingsKeys::Uuid, QStringLiteral("{abc}"));
        settings.setValue(SettingsKeys::Token, QStringLiteral("tok"));
        settings.setValue(SettingsKeys::UserId, QStringLiteral("42"));
        settings.sync();
        answer("{\"success\":\"true\",\"fileurl\":\"https://files.test/x1\"}");

        QPointer<UploadProgress> popup = new UploadProgress;
        QSignalSpy done(popup.data(), &UploadProgress::uploadDone);
        QVERIFY(popup->upload(path));
        popup->show();
        QCOMPARE(label(popup, "label_upload_progress")->text(),
                 QStringLiteral("Uploading file %1...").arg(fileName));

        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("https://files.test/x1"));
        const RecordedRequest request = service.requests().constLast();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/upload.php"));
        QCOMPARE(request.query, QByteArray("lang=en&ver=260&uuid=%7Babc%7D&token=tok&user_id=42"));
        QCOMPARE(request.headers.value("content-type"),
                 QByteArray("multipart/form-data; boundary=1BEF0A57BE110FD467A"));
        const QByteArray expected =
            "--1BEF0A57BE110FD467A\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" +
            sentName + "\"\r\nContent-Type: " + mimeType + "\r\n\r\n" + content +
            "\r\n--1BEF0A57BE110FD467A--\r\n";
        QCOMPARE(request.body, expected);
        QCOMPARE(request.headers.value("content-length"), QByteArray::number(expected.size()));
        QVERIFY(!request.headers.contains("cookie"));
        QVERIFY(!request.headers.contains("authorization"));

        QCOMPARE(popup->findChild<QProgressBar *>()->value(), 100);
        QVERIFY(label(popup, "label_done_text")->isVisible());
        QVERIFY(label(popup, "label_done_icon")->isVisible());
        QVERIFY(!popup->findChild<QProgressBar *>()->isVisible());
        // The popup fades for four seconds, reports and goes.
        QTRY_VERIFY_WITH_TIMEOUT(!popup, 6000);
        QCOMPARE(done.count(), 1);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("storedUserId");
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("sessionCleared");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("authfail with user 42 clears the session")
            << QByteArray(R"({"success":"true","fileurl":"L1","authfail":"1"})") << "42"
            << "L1" << true << QStringList();
        QTest::newRow("authfail with user 0 keeps it")
            << QByteArray(R"({"success":"true","fileurl":"L2","authfail":"1"})") << "0"
            << "L2" << false << QStringList();
        QTest::newRow("notice after success")
            << QByteArray(R"({"success":"true","fileurl":"L3","message":"<i>Saved</i>"})") << "42"
            << "L3" << false << QStringList{"<i>Saved</i>"};
        const QByteArray empty(R"({"success":"true","fileurl":""})");
        QTest::newRow("empty fileurl is a failure")
            << empty << "42"
            << "" << false
            << QStringList{"Uploading error!\nResponse: " + QString::fromUtf8(empty)};
        QTest::newRow("service error shown with its angle brackets")
            << QByteArray(R"({"success":"false","error":"<b>Quota</b> exceeded"})") << "42"
            << "" << false << QStringList{"<b>Quota</b> exceeded"};
        QTest::newRow("boolean success is a failure")
            << QByteArray(R"({"success":true,"fileurl":"L4"})") << "42"
            << "" << false
            << QStringList{"Uploading error!\nResponse: {\"success\":true,\"fileurl\":\"L4\"}"};
    }

    void replies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, storedUserId);
        QFETCH(QString, link);
        QFETCH(bool, sessionCleared);
        QFETCH(QStringList, messages);
        Session::storeLogin(QStringLiteral("tok"), storedUserId);
        answer(reply);
        const QString path = files.filePath(QStringLiteral("any.txt"));
        writeFile(path, "x");

        ModalResponder responder(QList<ModalResponder::Step>(messages.size(), acknowledge()));
        QPointer<UploadProgress> popup = new UploadProgress;
        QVERIFY(popup->upload(path));
        QTRY_VERIFY(label(popup, "label_done_text")->isVisibleTo(popup));
        QTRY_VERIFY(responder.finished());
        QCOMPARE(responder.messages, messages);
        for (Qt::TextFormat format : std::as_const(responder.formats))
            QCOMPARE(format, Qt::PlainText);
        QCOMPARE(QGuiApplication::clipboard()->text(), link);
        QCOMPARE(label(popup, "label_done_text")->text(),
                 link.isEmpty() ? QStringLiteral("Uploading error!")
                                : QStringLiteral("Done! Link copied to clipboard!"));
        const QSettings settings = settingsStore();
        QCOMPARE(settings.value(SettingsKeys::Token).toString(),
                 sessionCleared ? QString() : QStringLiteral("tok"));
        QCOMPARE(settings.value(SettingsKeys::UserId).toString(),
                 sessionCleared ? QStringLiteral("0") : storedUserId);
        QCOMPARE(settings.value(SettingsKeys::IsAuth).toString(),
                 sessionCleared ? QStringLiteral("0") : QStringLiteral("1"));
        QVERIFY(QFile::exists(path));
        delete popup;
    }

    // Every ending of an upload against what is kept: a capture or a recording written only for
    // the upload goes once the service has it and is otherwise kept in Desktop/Quorvel under the
    // next free name, with the message saying where; the user's own file is never touched.
    void everyEndingKeepsTheFile_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<QString>("message"); // %1: where the file is kept
        const QString kept = QStringLiteral("The file is kept at %1");
        const QString error =
            QStringLiteral("Uploading error!\n") + kept + QStringLiteral("\n\nResponse: ");
        for (const char *kind : {"capture", "video"}) {
            QTest::addRow("%s: success", kind) << "success" << kind << false << "";
            QTest::addRow("%s: refused", kind)
                << "refused" << kind << false << "Quota exceeded\n\n" + kept;
            QTest::addRow("%s: no JSON", kind)
                << "garbled" << kind << false << error + "Server says no";
            QTest::addRow("%s: HTTP error", kind)
                << "http error" << kind << false << error + "The service answered 500 Scripted";
            QTest::addRow("%s: cancelled", kind)
                << "cancel" << kind << false << "Upload cancelled.\n" + kept;
            QTest::addRow("%s: popup gone mid-way", kind) << "closed" << kind << false << "";
        }
        QTest::newRow("capture: folder cannot be made, kept in place")
            << "http error"
            << "capture" << true << error + "The service answered 500 Scripted";
        QTest::newRow("own file: refused") << "refused"
                                           << "own" << false << "Quota exceeded";
        QTest::newRow("own file: HTTP error")
            << "http error"
            << "own" << false << "Uploading error!\nResponse: The service answered 500 Scripted";
        QTest::newRow("own file: cancelled") << "cancel"
                                             << "own" << false << "";
    }

    void everyEndingKeepsTheFile()
    {
        QFETCH(QString, ending);
        QFETCH(QString, kind);
        QFETCH(bool, folderBlocked);
        QFETCH(QString, message);
        if (folderBlocked) {
            // A file where the folder should be: neither the folder nor the move can be made.
            QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
            writeFile(desktopFolder().chopped(1), "in the way");
        } else {
            QDir().mkpath(desktopFolder());
            for (int n = 1; n <= 3; ++n)
                writeFile(desktopFolder() + QStringLiteral("screenshot%1.png").arg(n), "old");
        }
        service.setScript([ending](const RecordedRequest &) {
            if (ending == QLatin1String("success"))
                return ScriptedReply::raw("{\"success\":\"true\",\"fileurl\":\"L\"}");
            if (ending == QLatin1String("refused"))
                return ScriptedReply::raw(R"({"success":"false","error":"Quota exceeded"})");
            if (ending == QLatin1String("garbled"))
                return ScriptedReply::raw("Server says no");
            if (ending == QLatin1String("http error"))
                return ScriptedReply{500, "text/plain", "Server says no", false};
            return ScriptedReply::stall();
        });
        const bool video = kind == QLatin1String("video");
        const QString path = files.filePath(video ? QStringLiteral("videostream_77.gif")
                                                  : QStringLiteral("screenshot_123.png"));
        const QByteArray content = capturePng();
        writeFile(path, content);

        ModalResponder responder(message.isEmpty() ? QList<ModalResponder::Step>{}
                                                   : QList<ModalResponder::Step>{acknowledge()});
        QPointer<UploadProgress> popup;
        if (video) {
            popup = VideoHandOff::startUpload(path);
        } else {
            popup = new UploadProgress;
            popup->setSaveCopyOnFailure(kind == QLatin1String("capture"));
            QVERIFY(popup->upload(path));
        }
        QVERIFY(popup);
        popup->show();
        const int before = service.requestCount();
        if (ending == QLatin1String("cancel") || ending == QLatin1String("closed")) {
            QTRY_VERIFY(service.requestCount() > before);
            if (ending == QLatin1String("cancel"))
                QTest::mouseClick(popup->findChild<QPushButton *>(QStringLiteral("bt_cancel")),
                                  Qt::LeftButton);
            else
                delete popup;
        }
        if (message.isEmpty())
            QTRY_VERIFY(!popup || label(popup, "label_done_text")->isVisibleTo(popup));
        else
            QTRY_VERIFY(responder.finished());
        QTest::qWait(100);

        const QString name =
            video ? QStringLiteral("videostream1.gif") : QStringLiteral("screenshot4.png");
        const QString moved = desktopFolder() + name;
        const bool handedOver = kind != QLatin1String("own");
        const bool keptOnDesktop =
            handedOver && !folderBlocked && ending != QLatin1String("success");
        QCOMPARE(QFile::exists(path), !handedOver || folderBlocked);
        QCOMPARE(QFile::exists(moved), keptOnDesktop);
        if (keptOnDesktop)
            QCOMPARE(readFile(moved), content);
        else if (QFile::exists(path))
            QCOMPARE(readFile(path), content);
        const QStringList expected =
            message.isEmpty()
                ? QStringList()
                : QStringList{message.arg(QDir::toNativeSeparators(keptOnDesktop ? moved : path))};
        QCOMPARE(responder.messages, expected);
        delete popup;
    }

    void unreadableFileSendsNothing()
    {
        const int before = service.requestCount();
        ModalResponder responder({acknowledge()});
        UploadProgress popup;
        const QString path = files.filePath(QStringLiteral("missing.png"));
        QVERIFY(!popup.upload(path));
        QTRY_VERIFY(responder.finished());
        QCOMPARE(responder.messages, QStringList{"Could not open file: " + path});
        QTest::qWait(100);
        QCOMPARE(service.requestCount(), before);
    }

    void balloonOnlyAfterAHiddenSuccess_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("balloon");
        QTest::newRow("hidden success")
            << true << QByteArray(R"({"success":"true","fileurl":"L"})") << true;
        QTest::newRow("shown success")
            << false << QByteArray(R"({"success":"true","fileurl":"L"})") << false;
        QTest::newRow("hidden failure")
            << true << QByteArray(R"({"success":"false","error":"no"})") << false;
    }

    void balloonOnlyAfterAHiddenSuccess()
    {
        QFETCH(bool, hidden);
        QFETCH(QByteArray, reply);
        QFETCH(bool, balloon);
        if (!QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("needs a tray host");
        QSystemTrayIcon tray(QIcon(QStringLiteral(":/favicon.ico")));
        tray.show();
        answer(reply);
        const QString path = files.filePath(QStringLiteral("notice.txt"));
        writeFile(path, "x");

        const bool failure = reply.contains("\"false\"");
        ModalResponder responder(failure ? QList<ModalResponder::Step>{acknowledge()}
                                         : QList<ModalResponder::Step>{});
        QPointer<UploadProgress> popup = new UploadProgress;
        popup->setTrayIcon(&tray);
        popup->show();
        QVERIFY(popup->upload(path));
        if (hidden)
            QTest::mouseClick(popup->findChild<QPushButton *>(QStringLiteral("bt_close")),
                              Qt::LeftButton);
        QTRY_VERIFY(label(popup, "label_done_text")->isVisibleTo(popup));
        QTRY_VERIFY(responder.finished());
        QTest::qWait(200);
        const QWidgetList windows = QApplication::topLevelWidgets();
        const bool shown = std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
            return w->inherits("QBalloonTip") && w->isVisible();
        });
        QCOMPARE(shown, balloon);
        for (QWidget *w : windows) {
            if (w->inherits("QBalloonTip"))
                w->close();
        }
        delete popup;
    }

    void cancelEndsWithoutAMessage()
    {
        service.setScript([](const RecordedRequest &) { return ScriptedReply::stall(); });
        const QString path = files.filePath(QStringLiteral("big.txt"));
        writeFile(path, "x");
        QPointer<UploadProgress> popup = new UploadProgress;
        QSignalSpy done(popup.data(), &UploadProgress::uploadDone);
        const int before = service.requestCount();
        QVERIFY(popup->upload(path));
        popup->show();
        QTRY_COMPARE(service.requestCount(), before + 1);
        QTest::mouseClick(popup->findChild<QPushButton *>(QStringLiteral("bt_cancel")),
                          Qt::LeftButton);
        QCOMPARE(done.count(), 1);
        QTRY_VERIFY(!popup);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(done.count(), 1);
    }

    void silentServerEndsInAnError()
    {
        service.setScript([](const RecordedRequest &) { return ScriptedReply::stall(); });
        ServiceApi::setTransferTimeoutMs(1000);
        const QString path = files.filePath(QStringLiteral("stalled.txt"));
        writeFile(path, "x");
        ModalResponder responder({acknowledge()});
        QPointer<UploadProgress> popup = new UploadProgress;
        QVERIFY(popup->upload(path));
        QTRY_VERIFY_WITH_TIMEOUT(responder.finished(), 5000);
        ServiceApi::setTransferTimeoutMs(120000);
        QVERIFY2(
            responder.messages.value(0).startsWith(QStringLiteral("Uploading error!\nResponse: ")),
            qPrintable(responder.messages.value(0)));
        QCOMPARE(responder.messages.value(0),
                 QStringLiteral("Uploading error!\nResponse: The service did not answer in time."));
        delete popup;
    }

    void filesSentInARowStackTheirPopups()
    {
        service.setScript([](const RecordedRequest &) { return ScriptedReply::stall(); });
        Screenshot hub;
        QList<ModalResponder::Step> steps;
        for (int n = 0; n < 3; ++n) {
            const QString path = files.filePath(QStringLiteral("row%1.txt").arg(n));
            writeFile(path, "x");
            steps << ModalResponder::open(path);
        }
        ModalResponder responder(steps);
        for (int n = 0; n < 3; ++n)
            hub.sendAnyFile();
        QVERIFY(responder.finished());
        const QList<UploadProgress *> popups = hub.findChildren<UploadProgress *>();
        QCOMPARE(popups.size(), 3);
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        QList<int> tops;
        for (UploadProgress *popup : popups) {
            QCOMPARE(popup->x(), screen.width() - 320);
            tops << popup->y();
        }
        std::sort(tops.begin(), tops.end());
        QCOMPARE(tops,
                 (QList<int>{screen.height() - 360, screen.height() - 240, screen.height() - 120}));
        for (UploadProgress *popup : popups)
            QTest::mouseClick(popup->findChild<QPushButton *>(QStringLiteral("bt_cancel")),
                              Qt::LeftButton);
        QTRY_VERIFY(hub.findChildren<UploadProgress *>().isEmpty());
    }

private:
    void answer(const QByteArray &reply)
    {
        service.setScript([reply](const RecordedRequest &) { return ScriptedReply::raw(reply); });
    }
    static QLabel *label(UploadProgress *popup, const char *name)
    {
        return popup->findChild<QLabel *>(QLatin1String(name));
    }
    static QString desktopFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
               QStringLiteral("/Quorvel/");
    }
    static QByteArray capturePng() { return pngBytes(QSize(16, 16), Qt::darkCyan); }
    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    LocalService service;
    QTemporaryDir files;
};

QTEST_MAIN(UploadProgressTest)
#include "tst_uploadprogress.moc"
