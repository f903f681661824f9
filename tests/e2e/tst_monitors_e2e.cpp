#include "monitorserver.h"
#include "xsession.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

// Two monitors of different sizes with the primary on the right, as xrandr allows on X11: the
// virtual desktop does not start at the primary monitor's corner. Scaled, the selector's corner
// must be given in the primary monitor's coordinates, where it lies left of the monitor itself.
const QRect LeftMonitor(0, 0, 1280, 1024);
const QRect RightMonitor(1280, 0, 1920, 1080);
const QSize ScreenSize(3200, 1080);

// Where the pointer waits while the desktop is grabbed, so its picture stays out of the crops.
const QPoint Parking(3195, 1075);
const QRect AroundParking(Parking - QPoint(48, 48), QSize(96, 96));

} // namespace

// Captures on the real binary over a desktop whose every pixel tells where it came from: each
// saved picture must hold exactly the screen pixels that were framed, on either monitor, across
// both, at several scale factors.
class MonitorsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char *tool : {"Xvfb", "xrandr", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP("needs Xvfb, xrandr and xdotool");
        QString failure = server.start(ScreenSize, {{QStringLiteral("LEFT"), LeftMonitor, false},
                                                    {QStringLiteral("RIGHT"), RightMonitor, true}});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        failure = server.paintPattern();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void regionHoldsTheFramedScreenPixels_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("framed");

        QTest::newRow("left monitor") << QStringLiteral("1") << QPoint(200, 150) << QPoint(699, 449)
                                      << QRect(200, 150, 500, 300);
        QTest::newRow("right (primary) monitor, up-left")
            << QStringLiteral("1") << QPoint(3000, 900) << QPoint(2100, 300)
            << QRect(2100, 300, 901, 601);
        QTest::newRow("across both, down-left") << QStringLiteral("1") << QPoint(1600, 100)
                                                << QPoint(900, 400) << QRect(900, 100, 701, 301);
        QTest::newRow("across both, up-right") << QStringLiteral("1") << QPoint(900, 400)
                                               << QPoint(1600, 100) << QRect(900, 100, 701, 301);

        // Corners on whole logical pixels; the last logical pixel of each side is framed whole.
        const QPoint a(1200, 300), b(1500, 600);
        for (const QString &scale : {QStringLiteral("1.5"), QStringLiteral("2")}) {
            const QRect framed(1200, 300, 302, 302);
            const auto row = [&](const char *direction, const QPoint &from, const QPoint &to) {
                QTest::addRow("%s, %s", qPrintable(scale), direction)
                    << scale << from << to << framed;
            };
            row("down-right", a, b);
            row("up-left", b, a);
            row("down-left", QPoint(b.x(), a.y()), QPoint(a.x(), b.y()));
            row("up-right", QPoint(a.x(), b.y()), QPoint(b.x(), a.y()));
        }
    }

    void regionHoldsTheFramedScreenPixels()
    {
        QFETCH(QString, scale);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, framed);
        QVERIFY(runAtScale(scale));

        QVERIFY(selectRegion(from, to));
        QVERIFY2(session->waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid(),
                 "no editor after the drag");
        QImage saved;
        // A name of its own: saving over an earlier file would ask first.
        const QString failure =
            session->saveFromEditor(QStringLiteral("region%1.png").arg(++saves), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(saved.size(), framed.size());
        const QString mismatch = MonitorServer::compareWithPattern(saved, QPoint(), framed);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void fullScreenHoldsBothMonitorsWhereTheyLie_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::newRow("1") << QStringLiteral("1");
        QTest::newRow("2") << QStringLiteral("2");
    }

    void fullScreenHoldsBothMonitorsWhereTheyLie()
    {
        QFETCH(QString, scale);
        QVERIFY(runAtScale(scale));
        park();
        XSession::key(QStringLiteral("ctrl+Print"));
        QVERIFY2(session->waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid(),
                 "Ctrl+Print opened no editor");
        QImage saved;
        const QString failure = session->saveFromEditor(QStringLiteral("full.png"), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(saved.size(), ScreenSize);
        // The pointer's picture is drawn in at the parking place, and nowhere else.
        for (const QRect &monitor : {LeftMonitor, RightMonitor}) {
            const QString mismatch =
                MonitorServer::compareWithPattern(saved, monitor.topLeft(), monitor, AroundParking);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
        const QRect pointerArea = AroundParking & RightMonitor;
        QVERIFY2(
            !MonitorServer::compareWithPattern(saved, pointerArea.topLeft(), pointerArea).isEmpty(),
            "no pointer drawn in where it was");
    }

    void regionAddedToTheOpenDocumentGoesBelowIt()
    {
        QVERIFY(runAtScale(QStringLiteral("1")));
        QVERIFY(selectRegion(QPoint(100, 100), QPoint(399, 299)));
        QVERIFY(session->waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());

        // "7" is the editor's shortcut for adding a region of the screen.
        session->focusWindowNamed(QStringLiteral("Quorvel"));
        XSession::key(QStringLiteral("7"));
        QVERIFY2(session->waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid(),
                 "adding a picture opened no overlay");
        XSession::drag(QPoint(2000, 700), QPoint(2399, 500));
        QVERIFY(session->waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());

        QImage saved;
        const QString failure = session->saveFromEditor(QStringLiteral("added.png"), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(saved.size(), QSize(400, 401));
        QString mismatch =
            MonitorServer::compareWithPattern(saved, QPoint(0, 0), QRect(100, 100, 300, 200));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        mismatch =
            MonitorServer::compareWithPattern(saved, QPoint(0, 200), QRect(2000, 500, 400, 201));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

private:
    // One program at a time; started afresh when the scale factor changes.
    bool runAtScale(const QString &scale)
    {
        if (session && sessionScale == scale)
            return true;
        session.reset();
        session = std::make_unique<XSession>();
        session->setEnvironment(QStringLiteral("QT_SCALE_FACTOR"), scale);
        sessionScale = scale;
        if (!session->start())
            return false;
        // This server has no tray: the program says so in a window, which would be in the grabs.
        const QString notice = QStringLiteral("Quorvel is running");
        if (!session->waitForWindowNamed(notice, 10000).isValid())
            return false;
        session->focusWindowNamed(notice);
        XSession::key(QStringLiteral("Escape"));
        if (!session->waitUntilNoWindowNamed(notice, 5000))
            return false;
        // The installation id is written once the hot keys are registered; give the grabs a
        // moment to reach the server.
        const QString settings = session->settingsFile();
        if (!QTest::qWaitFor([&] { return QFile::exists(settings); }, 10000))
            return false;
        QThread::msleep(300);
        return true;
    }

    static void park()
    {
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(Parking.x()),
                           QString::number(Parking.y())});
    }

    bool selectRegion(const QPoint &from, const QPoint &to)
    {
        park();
        XSession::key(QStringLiteral("Print"));
        if (!session->waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid()) {
            qWarning("the region hot key opened no overlay");
            return false;
        }
        XSession::drag(from, to);
        return true;
    }

    MonitorServer server;
    std::unique_ptr<XSession> session;
    QString sessionScale;
    int saves = 0;
};

QTEST_GUILESS_MAIN(MonitorsEndToEnd)
#include "tst_monitors_e2e.moc"
