#include "xsession.h"

#include <QSettings>
#include <QTest>
#include <QThread>

#include <algorithm>

// The real binary in a real X session with a tray host: it settles into the tray, writes its
// installation id, and ends through the tray menu's Quit; its menu stays within reach while the
// settings are open.
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

    // The settings dialog keeps the editor waiting but not the tray; the hot keys stay off until
    // the dialog is closed with its close button.
    void trayMenuOpensWhileTheSettingsAreOpen()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        QVERIFY(session.start({QStringLiteral("--settings")}));
        const QString settings = QStringLiteral("Quorvel settings");
        QVERIFY(session.waitForWindowNamed(settings, 10000).isValid());
        const QRect icon = session.waitForWindows(QSize(64, 64), 10000).value(0);
        QVERIFY2(icon.isValid(), "no tray icon appeared");

        XSession::key(QStringLiteral("Print"));
        QVERIFY2(!session.waitForWindowNamed(QStringLiteral("SelectRegion"), 1000).isValid(),
                 "the region hot key worked while the settings were open");

        const QPoint centre = icon.center();
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                           QString::number(centre.y())});
        XSession::xdotool({QStringLiteral("click"), QStringLiteral("3")});
        // The dialog is wider than the menu; the icon is the only other small window.
        const auto menuShown = [&session, icon] {
            const QList<QRect> small = session.waitForWindows(QSize(400, 600), 0);
            return std::any_of(small.begin(), small.end(),
                               [icon](const QRect &window) { return window != icon; });
        };
        QTRY_VERIFY2_WITH_TIMEOUT(menuShown(), "no tray menu while the settings were open", 5000);
        XSession::key(QStringLiteral("Escape"));
        QTRY_VERIFY_WITH_TIMEOUT(!menuShown(), 5000);

        session.closeWindowNamed(settings);
        QVERIFY(session.waitUntilNoWindowNamed(settings, 5000));
        // The grabs come back with the dialog's closing; give them a moment to reach the server.
        QThread::msleep(300);
        XSession::key(QStringLiteral("Print"));
        QVERIFY2(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid(),
                 "the region hot key stayed off after the settings were closed");
    }
};

QTEST_GUILESS_MAIN(TrayEndToEnd)
#include "tst_tray_e2e.moc"
