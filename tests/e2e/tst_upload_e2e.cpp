#include "../support/localservice.h"
#include "xsession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

// A capture uploaded by the real binary to a local server: the link lands on the clipboard and
// the popup fades away; when the server refuses, the capture is kept on the Desktop.
class UploadEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!session.isUsable() ||
            QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("needs an X server, xdotool and xclip");
        QVERIFY(service.listenInThread());
        link = service.baseUrl() + QStringLiteral("/f/e2e-1");
        const QByteArray reply = "{\"success\":\"true\",\"fileurl\":\"" + link.toUtf8() + "\"}";
        service.setScript([reply](const RecordedRequest &) { return ScriptedReply::raw(reply); });
        session.setEnvironment(QStringLiteral("QUORVEL_TEST_API_URL"), service.baseUrl());
        qputenv("QUORVEL_BINARY", qgetenv("QUORVEL_LOCALSERVICE_BINARY"));
        QVERIFY(session.start());
        QVERIFY2(session.waitForWindows(QSize(64, 64), 10000).value(0).isValid(),
                 "no tray icon appeared");
        QThread::msleep(300);
    }

    void capturedRegionIsUploadedAndItsLinkCopied()
    {
        QVERIFY(openCapture(QPoint(300, 200), QPoint(700, 500)));
        QElapsedTimer clock;
        clock.start();
        XSession::key(QStringLiteral("ctrl+space"));
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("Form"), 5000).isValid(),
                 "no upload popup");
        QString clipboard;
        while (clipboard != link && clock.elapsed() < 10000) {
            QThread::msleep(50);
            clipboard = readClipboard();
        }
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(clipboard, link);

        const QList<RecordedRequest> requests = service.requests();
        QCOMPARE(requests.size(), 1);
        const RecordedRequest &upload = requests.first();
        QCOMPARE(upload.path, QByteArray("/upload.php"));
        const QByteArray trailer("\r\n--1BEF0A57BE110FD467A--\r\n");
        QVERIFY(upload.body.endsWith(trailer));
        const qsizetype pngStart = upload.body.indexOf("\r\n\r\n") + 4;
        const QByteArray png =
            upload.body.mid(pngStart, upload.body.size() - pngStart - trailer.size());
        QVERIFY(png.endsWith(QByteArray::fromHex("49454e44ae426082"))); // the IEND chunk
        QCOMPARE(QImage::fromData(png, "PNG").size(), QSize(401, 301));
        qInfo("upload of a 401x301 capture: %lld body bytes (%lld PNG bytes), %lld ms from the "
              "key to the link on the clipboard",
              qint64(upload.body.size()), qint64(png.size()), elapsed);

        // The popup fades for four seconds and goes; the link stays.
        QVERIFY2(session.waitUntilNoWindowNamed(QStringLiteral("Form"), 8000), "the popup stayed");
        QCOMPARE(readClipboard(), link);
    }

    void refusedCaptureIsKeptOnTheDesktop()
    {
        service.setScript([](const RecordedRequest &) {
            return ScriptedReply::raw(R"({"success":"false","error":"Quota exceeded"})");
        });
        const int before = service.requestCount();
        QVERIFY(openCapture(QPoint(200, 100), QPoint(350, 220)));
        XSession::key(QStringLiteral("ctrl+space"));

        const QString kept = session.home() + QStringLiteral("/Desktop/Quorvel/screenshot1.png");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(kept), 10000);
        QCOMPARE(service.requestCount(), before + 1);
        QCOMPARE(QImage(kept).size(), QSize(151, 121));
        // Moved, not copied: nothing is left behind in the temporary folder.
        QVERIFY(QDir::temp().entryList({QStringLiteral("screenshot_*")}).isEmpty());

        // The message says why and where; it goes with Return.
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());
        session.focusWindowNamed(QStringLiteral("Quorvel"));
        XSession::key(QStringLiteral("Return"));
        QVERIFY2(session.waitUntilNoWindowNamed(QStringLiteral("Quorvel"), 5000),
                 "the message stayed");
        QVERIFY2(session.waitUntilNoWindowNamed(QStringLiteral("Form"), 8000), "the popup stayed");
    }

private:
    // Print, a region dragged from one corner to the other, and the editor focused.
    bool openCapture(const QPoint &from, const QPoint &to)
    {
        XSession::key(QStringLiteral("Print"));
        if (!session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid())
            return false;
        XSession::drag(from, to);
        if (!session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid())
            return false;
        session.focusWindowNamed(QStringLiteral("Quorvel"));
        return true;
    }

    static QString readClipboard()
    {
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                              QStringLiteral("clipboard")});
        xclip.waitForFinished(3000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

    LocalService service;
    XSession session;
    QString link;
};

QTEST_GUILESS_MAIN(UploadEndToEnd)
#include "tst_upload_e2e.moc"
