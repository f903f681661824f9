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
        const QRect editor = session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000);
        QVERIFY2(editor.isValid(), "no editor after the drag");

        // The arrow tool ("2") and a drag across the middle of the picture; red is the default.
        session.focusWindowNamed(QStringLiteral("Quorvel"));
        XSession::key(QStringLiteral("2"));
        // A button's shortcut clicks it after its 100 ms press animation.
        QThread::msleep(300);
        const QPoint middle = editor.center();
        XSession::drag(middle - QPoint(120, 60), middle + QPoint(60, 40));

        QImage saved;
        const QString failure = session.saveFromEditor(QStringLiteral("region.png"), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(saved.size(), QSize(401, 301));
        QVERIFY2(containsReddish(saved), "the saved picture has no arrow in it");
    }

    void fullScreenHotKeyOpensTheWholeScreen()
    {
        XSession::key(QStringLiteral("ctrl+Print"));
        QVERIFY(session.waitForWindowNamed(QStringLiteral("Quorvel"), 5000).isValid());
        QImage saved;
        const QString failure = session.saveFromEditor(QStringLiteral("full.png"), &saved);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
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
    static bool containsReddish(const QImage &image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                    return true;
            }
        return false;
    }

    XSession session;
    QRect trayIcon;
};

QTEST_GUILESS_MAIN(CaptureEndToEnd)
#include "tst_capture_e2e.moc"
