#include "hotkeyfailurenotice.h"
#include "screenshot.h"
#include "settingskeys.h"

#include "../platform/x11otherclient.h"

#include <QApplication>
#include <QLabel>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

#include <X11/keysym.h>

namespace {

// What the tray's notice balloons say, while one is shown.
QString shownNotice()
{
    QStringList texts;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->inherits("QBalloonTip")) {
            for (const QLabel *label : window->findChildren<QLabel *>())
                texts << label->text();
        }
    }
    return texts.join('\n');
}

} // namespace

class TestHotkeyNotice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QTRY_VERIFY(QSystemTrayIcon::isSystemTrayAvailable());
    }
    void cleanup() { settingsStore().clear(); }

    void eachFailedKeyIsToldOncePerStart();
    void keysThatCouldNotBeRegisteredAreNamedInATrayNotice_data();
    void keysThatCouldNotBeRegisteredAreNamedInATrayNotice();
};

void TestHotkeyNotice::eachFailedKeyIsToldOncePerStart()
{
    QList<QStringList> shown;
    HotkeyFailureNotice notice([&shown](const QStringList &keys) { shown << keys; });
    notice.report({});
    notice.report({"Print"});
    notice.report({"Print"}); // the settings dialog closed, nothing new
    notice.report({"Print", "Ctrl+Print", "Ctrl+Print"});
    QCOMPARE(shown, (QList<QStringList>{{"Print"}, {"Ctrl+Print"}}));
}

void TestHotkeyNotice::keysThatCouldNotBeRegisteredAreNamedInATrayNotice_data()
{
    QTest::addColumn<bool>("printHeldElsewhere");
    QTest::addColumn<QString>("fullScreenKey");
    QTest::addColumn<QString>("ocrKey");
    QTest::addColumn<QString>("named");
    QTest::newRow("held by another program") << true << "Ctrl+Print"
                                             << "Ctrl+Alt+3"
                                             << "Print";
    QTest::newRow("duplicate and invalid stored keys") << false << "Print"
                                                       << "Ctrl+Nokey"
                                                       << "Print, Ctrl+Nokey";
    QTest::newRow("all registered") << false << "Ctrl+Print"
                                    << "Ctrl+Alt+3"
                                    << "";
}

void TestHotkeyNotice::keysThatCouldNotBeRegisteredAreNamedInATrayNotice()
{
    QFETCH(bool, printHeldElsewhere);
    QFETCH(QString, fullScreenKey);
    QFETCH(QString, ocrKey);
    QFETCH(QString, named);
    settingsStore().setValue(SettingsKeys::FullScreenCapture, fullScreenKey);
    settingsStore().setValue(SettingsKeys::OcrScan, ocrKey);
    OtherClient other;
    if (printHeldElsewhere)
        QVERIFY(other.grab(XK_Print, 0));

    Screenshot window;
    if (named.isEmpty()) {
        QCOMPARE(shownNotice(), QString());
    } else {
        QTRY_VERIFY(shownNotice().contains(QStringLiteral("Could not register: %1.").arg(named)));
    }
}

QTEST_MAIN(TestHotkeyNotice)
#include "tst_hotkeynotice.moc"
