#include "cloudtest.h"

#include "autostart.h"
#include "hookkeybord.h"
#include "settings.h"
#include "settingskeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <X11/keysym.h>

Q_DECLARE_METATYPE(Qt::Key)

// The settings dialog under X11, whose real keyboard mapping gives the unshifted keys, and against
// a local server for the account tab. This test links no translations, so ":/i18n" is empty.
class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(serveLocally(service)); }

    void init()
    {
        settingsStore().clear();
        service.setScript({});
    }

    void recordingStoresTheKey_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<QString>("stored");
        // Keycodes of the server's default keyboard: 11 is "2 @", 38 is "a A".
        QTest::newRow("digit, not the shifted character")
            << Qt::Key_At << (Qt::ControlModifier | Qt::ShiftModifier) << 11u << quint32(XK_at)
            << "Ctrl+Shift+2";
        QTest::newRow("letter in upper case")
            << Qt::Key_A << (Qt::ControlModifier | Qt::AltModifier) << 38u << quint32(XK_a)
            << "Ctrl+Alt+A";
        QTest::newRow("Print with Control")
            << Qt::Key_Print << Qt::KeyboardModifiers(Qt::ControlModifier) << 107u
            << quint32(XK_Print) << "Ctrl+Print";
        QTest::newRow("Delete clears")
            << Qt::Key_Delete << Qt::KeyboardModifiers() << 119u << quint32(XK_Delete) << "";
        QTest::newRow("Escape clears")
            << Qt::Key_Escape << Qt::KeyboardModifiers() << 9u << quint32(XK_Escape) << "";
    }

    void recordingStoresTheKey()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, scanCode);
        QFETCH(quint32, keysym);
        QFETCH(QString, stored);
        Settings dialog;
        auto *button = dialog.findChild<QPushButton *>("bt_fullHot");
        QCOMPARE(button->text(), QKeySequence("Ctrl+Print").toString(QKeySequence::NativeText));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isChecked());
        QKeyEvent press(QEvent::KeyPress, key, mods, scanCode, keysym, 0);
        QApplication::sendEvent(catcher(dialog), &press);
        QVERIFY(!button->isChecked());
        QCOMPARE(settingsStore().value(SettingsKeys::FullScreenCapture).toString(), stored);
        QCOMPARE(button->text(), QKeySequence(stored).toString(QKeySequence::NativeText));
    }

    void aLoneModifierKeepsRecording()
    {
        Settings dialog;
        auto *button = dialog.findChild<QPushButton *>("bt_regionHot");
        auto *other = dialog.findChild<QPushButton *>("bt_ocrHot");
        QTest::mouseClick(other, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!other->isChecked());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37, XK_Control_L,
                        0);
        QApplication::sendEvent(catcher(dialog), &press);
        QVERIFY(button->isChecked());
        QCOMPARE(button->text(), QStringLiteral("Print"));
        QVERIFY(!settingsStore().contains(SettingsKeys::RegionCapture));

        // The keyboard hook's report ends the recording like any key.
        emit HookKeybord::instance()->keyPress(Qt::Key_Print,
                                               Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!button->isChecked());
        QCOMPARE(settingsStore().value(SettingsKeys::RegionCapture).toString(),
                 QStringLiteral("Ctrl+Shift+Print"));
        emit HookKeybord::instance()->keyPress(Qt::Key_Print, Qt::NoModifier);
        QCOMPARE(settingsStore().value(SettingsKeys::RegionCapture).toString(),
                 QStringLiteral("Ctrl+Shift+Print"));
    }

    void languageList()
    {
        auto list = [] {
            Settings dialog;
            auto *box = dialog.findChild<QComboBox *>("lang_list");
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i) + '/' + box->itemData(i).toString();
            return items;
        };
        QCOMPARE(list(), QStringList{"Default/"});

        QDir folder(QCoreApplication::applicationDirPath() + "/languages");
        QVERIFY(folder.mkpath("."));
        QFile file(folder.filePath("French.fr.qm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QStringList items = list();

        Settings dialog;
        auto *box = dialog.findChild<QComboBox *>("lang_list");
        QSignalSpy changed(&dialog, &Settings::changeLang);
        QMetaObject::invokeMethod(box, "activated", Q_ARG(int, 0));
        QVERIFY(folder.removeRecursively());
        QCOMPARE(items, QStringList{"French/fr"});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(settingsStore().value(SettingsKeys::LanguageFile).toString(),
                 QStringLiteral("French.fr.qm"));
        QCOMPARE(settingsStore().value(SettingsKeys::Language).toString(), QStringLiteral("fr"));
    }

    void logoutWithoutTokenSendsNothing()
    {
        settingsStore().setValue(SettingsKeys::IsAuth, "1");
        Settings dialog;
        auto *logout = dialog.findChild<QPushButton *>("bt_logout");
        QVERIFY(!logout->isHidden());
        QTest::mouseClick(logout, Qt::LeftButton);
        QTest::qWait(200);
        QCOMPARE(service.requestCount(), 0);
        for (const char *key : {SettingsKeys::IsAuth, SettingsKeys::Token, SettingsKeys::UserId})
            QCOMPARE(settingsStore().value(key).toString(), QStringLiteral("0"));
        QVERIFY(logout->isHidden());
        QVERIFY(!dialog.findChild<QPushButton *>("bt_login")->isHidden());
    }

    void userInfoIsShown()
    {
        settingsStore().setValue(SettingsKeys::Token, "tok");
        settingsStore().setValue(SettingsKeys::UserId, "7");
        const QByteArray photo = pngBytes(QSize(50, 50), Qt::blue);
        service.setScript([this, photo](const RecordedRequest &request) {
            if (request.path == "/photo.png")
                return ScriptedReply::raw(photo, "image/png");
            return ScriptedReply::json({{"success", "true"},
                                        {"username", "Ann"},
                                        {"userinfo", "5 files"},
                                        {"photo", service.baseUrl() + "/photo.png"}});
        });
        Settings dialog;
        auto *name = dialog.findChild<QLabel *>("user_name");
        QCOMPARE(name->text(), QStringLiteral("Loading..."));
        QTRY_COMPARE(name->text(), QStringLiteral("Ann"));
        QCOMPARE(dialog.findChild<QLabel *>("user_info")->text(), QStringLiteral("5 files"));
        QVERIFY(!dialog.findChild<QPushButton *>("bt_logout")->isHidden());
        QTRY_COMPARE(dialog.findChild<QLabel *>("user_icon")->pixmap().toImage().pixel(10, 10),
                     QColor(Qt::blue).rgb());
        QCOMPARE(service.requests().first().path, QByteArray("/get_user_info.php"));
    }

    void closingHidesAndReports()
    {
        Settings dialog;
        dialog.show();
        QSignalSpy closed(&dialog, &Settings::closeSettings);
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isHidden());
        QCOMPARE(closed.count(), 1);
    }

    void startAtLoginWritesAndRemovesTheEntry()
    {
        QFile::remove(Autostart::entryPath());
        Settings dialog;
        auto *box = dialog.findChild<QCheckBox *>("start_at_login");
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QFile entry(Autostart::entryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains(
            "\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + '\n'));
        QVERIFY(Settings().findChild<QCheckBox *>("start_at_login")->isChecked());

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!QFile::exists(Autostart::entryPath()));
    }

    void autostartEntryQuotesTheProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("exec");
        QTest::newRow("plain") << "/usr/bin/quorvel" << QByteArray("Exec=/usr/bin/quorvel\n");
        QTest::newRow("space") << "/opt/my apps/quorvel"
                               << QByteArray("Exec=\"/opt/my apps/quorvel\"\n");
        QTest::newRow("dollar and backslash") << "/opt/a$b\\c/quorvel"
                                              << QByteArray(R"(Exec="/opt/a\\$b\\\\c/quorvel")"
                                                            "\n");
        QTest::newRow("field code sign")
            << "/opt/100%/quorvel" << QByteArray("Exec=/opt/100%%/quorvel\n");
    }

    void autostartEntryQuotesTheProgram()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, exec);
        const QByteArray text = Autostart::entryText(program);
        QVERIFY2(text.contains(exec), text.constData());
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("needs desktop-file-validate");
        QTemporaryDir folder;
        QFile file(folder.filePath("quorvel.desktop"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {file.fileName()});
        QVERIFY(validate.waitForFinished(10000));
        const QByteArray said = validate.readAll();
        QVERIFY2(validate.exitCode() == 0 && said.isEmpty(), said.constData());
    }

private:
    static QLineEdit *catcher(Settings &dialog)
    {
        for (QLineEdit *edit : dialog.findChildren<QLineEdit *>()) {
            if (edit->geometry() == QRect(-300, -300, 10, 10))
                return edit;
        }
        return nullptr;
    }

    LocalService service;
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
