#include "xsession.h"

#include <QImage>
#include <QTest>
#include <QThread>

// The whole capture road on the real binary, driven as a person would: hot keys, a drag on the
// frozen screen, the editor, and the save dialog.
class CaptureEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(session.start());
        trayIcon = session.waitForWindows(QSize(64, 64), 10000).value(0);
        QVERIFY2(trayIcon.isValid(), "no tray icon appeared");
        // Hot keys are grabbed right after start-up; give the grabs a moment to reach the server.
        QThread::msleep(300);
    }

    void regionHotKeyAndDragOpenTheSelectionInTheEditor()
    {
        XSession::key(QStringLiteral("Print"));
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid(),
                 "the region hot key opened no overlay");
        XSession::drag(QPoint(300, 200), QPoint(700, 500));
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid(),
                 "no editor after the drag");
        const QImage saved = saveFromEditor(QStringLiteral("region.png"));
        QCOMPARE(saved.size(), QSize(401, 301));
    }

    void fullScreenHotKeyOpensTheWholeScreen()
    {
        XSession::key(QStringLiteral("ctrl+Print"));
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());
        const QImage saved = saveFromEditor(QStringLiteral("full.png"));
        QCOMPARE(saved.size(), QSize(1920, 1080));
    }

    void trayClickStartsARegionCapture()
    {
        const QPoint centre = trayIcon.center();
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                           QString::number(centre.y())});
        XSession::xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QVERIFY(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid());
        session.focusWindowNamed(QStringLiteral("SelectRegion"));
        XSession::key(QStringLiteral("Escape"));
        QVERIFY(session.waitUntilNoWindowNamed(QStringLiteral("SelectRegion"), 5000));
        QVERIFY(!session.waitForWindowNamed(QStringLiteral("Quorvel"), 500).isValid());
    }

private:
    // Ctrl+S in the editor, the file name typed into the dialog; the editor closes on success.
    QImage saveFromEditor(const QString &name)
    {
        const QString path = session.home() + QLatin1Char('/') + name;
        session.focusWindowNamed(QStringLiteral("Quorvel"));
        XSession::key(QStringLiteral("ctrl+s"));
        if (!session.waitForWindowNamed(QStringLiteral("Save As"), 5000).isValid())
            return {};
        session.focusWindowNamed(QStringLiteral("Save As"));
        XSession::key(QStringLiteral("ctrl+a"));
        XSession::type(path);
        XSession::key(QStringLiteral("Return"));
        if (!session.waitUntilNoWindowNamed(QStringLiteral("Quorvel"), 5000))
            return {};
        return QImage(path);
    }

    XSession session;
    QRect trayIcon;
};

QTEST_GUILESS_MAIN(CaptureEndToEnd)
#include "tst_capture_e2e.moc"
