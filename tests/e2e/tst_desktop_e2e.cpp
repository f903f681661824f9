#include "monitorserver.h"
#include "xsession.h"

#include "../support/stalesocket.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTest>

namespace {

QString socketIn(const XSession &session)
{
    return session.runtimeFolder() + QStringLiteral("/quorvel.socket");
}

} // namespace

// The desktop's way in: later starts of the binary act on the one already running, whatever a
// crash left behind; the command line says what it cannot do; without a tray a window says how
// to reach the program.
class DesktopEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void commandLineAnswersWithoutStarting_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");

        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("260");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour=red")} << 2
                                        << QStringLiteral("Unknown option 'colour'");
        QTest::newRow("two actions")
            << QStringList{QStringLiteral("--region"), QStringLiteral("--qr")} << 2
            << QStringLiteral("one action at a time");
        QTest::newRow("missing file")
            << QStringList{QStringLiteral("--open"), QStringLiteral("/nonexistent/a.png")} << 2
            << QStringLiteral("No such file: /nonexistent/a.png");
        QTest::newRow("files for another action")
            << QStringList{QStringLiteral("--ruler"), QStringLiteral("a.png")} << 2
            << QStringLiteral("--ruler takes no files");
        QTest::newRow("quit with nothing running")
            << QStringList{QStringLiteral("--quit")} << 0 << QString();
    }

    void commandLineAnswersWithoutStarting()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QString output;
        QCOMPARE(session.runAgain(arguments, &output, 10000), exitCode);
        QVERIFY2(output.contains(printed), qPrintable(output));
        QVERIFY2(!QFileInfo::exists(socketIn(session)), "a start that only answered stayed");
    }

    void secondStartHandsItsActionToTheFirst()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(session.start());
        QVERIFY2(!session.waitForWindows(QSize(64, 64), 10000).isEmpty(), "no tray icon");

        QString output;
        QCOMPARE(session.runAgain({QStringLiteral("--region")}, &output, 5000), 0);
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid(),
                 "the first instance opened no overlay");
        XSession::key(QStringLiteral("Escape"));
        QVERIFY(session.waitUntilNoWindowNamed(QStringLiteral("SelectRegion"), 5000));

        QCOMPARE(session.runAgain({QStringLiteral("--quit")}, &output, 5000), 0);
        QVERIFY2(session.waitForExit(10000), "--quit did not end the first instance");
        QCOMPARE(session.process().exitCode(), 0);
        QVERIFY2(!QFileInfo::exists(socketIn(session)), "the socket outlived its instance");
    }

    void secondStartOpensItsFilesInTheFirst()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(session.start());
        QVERIFY2(!session.waitForWindows(QSize(64, 64), 10000).isEmpty(), "no tray icon");

        // Named relative to the second start's folder, which the first does not share.
        const QString folder = session.home() + QStringLiteral("/pictures");
        QVERIFY(QDir().mkpath(folder));
        QImage picture(QSize(321, 123), QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(folder + QStringLiteral("/shot.png")));
        QString output;
        QCOMPARE(session.runAgain({QStringLiteral("shot.png")}, &output, 5000, folder), 0);

        QVERIFY2(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid(),
                 "the first instance opened no editor");
        QImage saved;
        const QString failure = session.saveFromEditor(QStringLiteral("opened.png"), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(saved.size(), picture.size());
        QCOMPARE(saved.pixel(160, 60), picture.pixel(160, 60));
    }

    void staleSocketDoesNotStopANewInstance()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(leaveStaleSocket(socketIn(session)));
        QVERIFY(session.start({QStringLiteral("--settings")}));
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("Quorvel settings"), 10000).isValid(),
                 "the new instance did not start past the stale socket");

        QString output;
        QCOMPARE(session.runAgain({QStringLiteral("--quit")}, &output, 5000), 0);
        QVERIFY2(session.waitForExit(10000), qPrintable(output));
    }

    void withoutATrayAWindowNamesTheActionsAndQuits()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            QSKIP("needs Xvfb");
        // A server of its own: the shared one has a tray host.
        MonitorServer bare;
        const QString failure = bare.start(
            QSize(1280, 1024), {{QStringLiteral("ONLY"), QRect(0, 0, 1280, 1024), true}});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        XSession session;
        QVERIFY(session.start());
        const QRect notice =
            session.waitForWindowNamed(QStringLiteral("Quorvel is running"), 10000);
        QVERIFY2(notice.isValid(), "no notice without a tray");

        // A plain second start brings the same notice back instead of a second program.
        QString output;
        QCOMPARE(session.runAgain({}, &output, 5000), 0);

        session.focusWindowNamed(QStringLiteral("Quorvel is running"));
        XSession::key(QStringLiteral("alt+q"));
        QVERIFY2(session.waitForExit(10000), "the notice's Quit did not end the program");
        QCOMPARE(session.process().exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(DesktopEndToEnd)
#include "tst_desktop_e2e.moc"
