#include "xsession.h"

#include <QSettings>
#include <QTest>
#include <QThread>

// The real binary in a real X session with a tray host: it settles into the tray, writes its
// installation id, and ends through the tray menu's Quit.
class TrayEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void startsIntoTrayAndQuitsFromItsMenu()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(session.start());

        const QList<QRect> icons = session.waitForWindows(QSize(64, 64), 10000);
        QVERIFY2(!icons.isEmpty(), "no tray icon appeared");

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(session.settingsFile()), 5000);
        QSettings stored(session.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("uuid")).toString().size(), 38);

        const QPoint centre = icons.first().center();
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                           QString::number(centre.y())});
        XSession::xdotool({QStringLiteral("click"), QStringLiteral("3")});
        QVERIFY2(!session.waitForWindows(QSize(600, 600), 5000).isEmpty(), "no tray menu");
        // The last entry of the menu is Quit; Up from the top wraps around to it.
        QThread::msleep(300);
        XSession::xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return")});
        QVERIFY2(session.waitForExit(10000), "Quit did not end the program");
        QCOMPARE(session.process().exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TrayEndToEnd)
#include "tst_tray_e2e.moc"
