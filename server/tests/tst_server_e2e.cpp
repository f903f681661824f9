#include "testserver.h"

#include "../../tests/e2e/xsession.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

// The real program on the test's X server against the real server, driven as a person does: log
// in on the settings' account tab, upload a capture and open its link, find it among the
// account's files and delete it there, read rendered text with the OCR scanner, and log out.
class ServerEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!session.isUsable() ||
            QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("needs an X server, xdotool and xclip");
        userId = server.addUser("ann@example.org", "ann-secret");
        session.setEnvironment(QStringLiteral("QUORVEL_TEST_API_URL"), server.baseUrl());
        QVERIFY(session.start());
        tray = session.waitForWindows(QSize(64, 64), 10000).value(0);
        QVERIFY2(tray.isValid(), "no tray icon appeared");
        QThread::msleep(300);
    }

    void logsInOnTheAccountTab()
    {
        openAccountTab();
        click(AccountButton);
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Sign in to Quorvel"), 5000).isValid());
        session.focusWindowNamed(QStringLiteral("Sign in to Quorvel"));
        XSession::type(QStringLiteral("ann@example.org"));
        XSession::key(QStringLiteral("Tab"));
        XSession::type(QStringLiteral("ann-secret"));
        XSession::key(QStringLiteral("Return"));
        QTRY_COMPARE_WITH_TIMEOUT(storedValue("is_auth"), QStringLiteral("1"), 10000);
        QVERIFY(server.store.userForToken(Credentials::secretHash(storedToken()), now()));
        QVERIFY(session.waitUntilNoWindowNamed(QStringLiteral("Sign in to Quorvel"), 5000));
        // Captures wait while the settings are open.
        session.closeWindowNamed(QStringLiteral("Quorvel settings"));
        QVERIFY(session.waitUntilNoWindowNamed(QStringLiteral("Quorvel settings"), 5000));
    }

    void uploadsACaptureWhoseLinkServesItsBytes()
    {
        XSession::key(QStringLiteral("Print"));
        QVERIFY(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid());
        XSession::drag(QPoint(300, 200), QPoint(700, 500));
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());
        session.focusWindowNamed(QStringLiteral("Quorvel"));
        XSession::key(QStringLiteral("ctrl+space"));
        QTRY_VERIFY_WITH_TIMEOUT(readClipboard().startsWith(server.baseUrl() + "/f/"), 10000);
        link = readClipboard();
        fileId = QUrl(link).path().mid(3, 22);

        const auto record = server.store.file(fileId);
        QVERIFY(record);
        QCOMPARE(record->userId, userId);
        const Answer served = send("GET", QUrl(link));
        QCOMPARE(served.status, 200);
        QFile stored(server.files.filePath(fileId));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(served.body, stored.readAll());
        QCOMPARE(QImage::fromData(served.body, "PNG").size(), QSize(401, 301));
        QVERIFY(session.waitUntilNoWindowNamed(QStringLiteral("Form"), 8000));
    }

    void findsTheUploadAmongItsFilesAndDeletesIt()
    {
        setClipboard(QStringLiteral("nothing yet"));
        openAllFiles();
        // The only tile's "Copy link" shows which file it stands for.
        QTest::qWait(1500);
        click(TileCopyButton);
        QTRY_COMPARE_WITH_TIMEOUT(readClipboard(), link, 5000);

        click(TileRemoveButton);
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Remove file"), 5000).isValid());
        session.focusWindowNamed(QStringLiteral("Remove file"));
        XSession::key(QStringLiteral("Return"));
        QTRY_VERIFY_WITH_TIMEOUT(!server.store.file(fileId), 5000);
        QCOMPARE(send("GET", QUrl(link)).status, 404);
    }

    void readsRenderedTextWithTheOcrScanner()
    {
        QLabel text(QStringLiteral("Quorvel reads this"));
        text.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        text.setStyleSheet(QStringLiteral("background: white; color: black;"));
        text.setFont(QFont(QStringLiteral("DejaVu Sans"), 28));
        text.setAlignment(Qt::AlignCenter);
        text.setGeometry(TextArea);
        text.show();
        QVERIFY(QTest::qWaitForWindowExposed(&text));
        QTest::qWait(300);

        QString output;
        QCOMPARE(session.runAgain({QStringLiteral("--ocr")}, &output, 10000), 0);
        QVERIFY(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid());
        XSession::drag(TextArea.topLeft() + QPoint(5, 5), TextArea.bottomRight() - QPoint(5, 5));
        const QRect scanner = session.waitForWindowNamed(QStringLiteral("OCR Scanner"), 5000);
        QVERIFY(scanner.isValid());
        setClipboard(QStringLiteral("nothing yet"));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                click(scanner.topLeft() + OcrCopyButton);
                return readClipboard() == QLatin1String("Quorvel reads this");
            }(),
            30000);
    }

    void logsOutOnTheAccountTab()
    {
        const QString token = storedToken();
        openAccountTab();
        click(AccountButton);
        QTRY_VERIFY_WITH_TIMEOUT(!server.store.userForToken(Credentials::secretHash(token), now()),
                                 10000);
        QTRY_COMPARE(storedValue("is_auth"), QStringLiteral("0"));
    }

private:
    // Where the windows put their buttons, for a window at the top left of the bare X server
    // with the test fonts.
    static constexpr QPoint TrayMenuFilesEntry{-78, -62};
    static constexpr QPoint AccountTab{248, 24};
    static constexpr QPoint AccountButton{117, 152}; // Login or Logout
    static constexpr QPoint TileCopyButton{80, 268};
    static constexpr QPoint TileRemoveButton{180, 268};
    static constexpr QPoint OcrCopyButton{570, 30};
    static constexpr QRect TextArea{900, 600, 520, 110};

    static qint64 now() { return QDateTime::currentSecsSinceEpoch(); }

    QString storedValue(const char *key) const
    {
        return QSettings(session.settingsFile(), QSettings::IniFormat)
            .value(QLatin1String(key))
            .toString();
    }
    QString storedToken() const { return storedValue("token"); }

    void openAccountTab()
    {
        QString output;
        QCOMPARE(session.runAgain({QStringLiteral("--settings")}, &output, 10000), 0);
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Quorvel settings"), 5000).isValid());
        QThread::msleep(300);
        click(AccountTab);
        QThread::msleep(500);
    }

    // "My files / My account" in the tray menu, which opens above the icon in the corner.
    void openAllFiles()
    {
        click(tray.center(), QStringLiteral("3"));
        QThread::msleep(500);
        click(tray.center() + TrayMenuFilesEntry);
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Your recent files"), 5000).isValid());
    }

    static void click(const QPoint &at, const QString &button = QStringLiteral("1"))
    {
        XSession::xdotool(
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        XSession::xdotool({QStringLiteral("click"), button});
    }

    static QString readClipboard()
    {
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                              QStringLiteral("clipboard")});
        xclip.waitForFinished(3000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

    static void setClipboard(const QString &text)
    {
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-i"), QStringLiteral("-selection"),
                                              QStringLiteral("clipboard")});
        xclip.write(text.toUtf8());
        xclip.closeWriteChannel();
        xclip.waitForFinished(3000);
    }

    TestServer server;
    XSession session;
    QRect tray;
    qint64 userId = 0;
    QString link;
    QString fileId;
};

QTEST_MAIN(ServerEndToEnd)
#include "tst_server_e2e.moc"
