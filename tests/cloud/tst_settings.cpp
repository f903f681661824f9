#include "../support/selfsigned.h"
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
#include <QSslConfiguration>
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

    // The service's texts are shown as text, and only a picture on the web becomes the avatar:
    // a "file:" or "data:" address would show what lies on this machine or in the reply itself.
    void accountShowsServiceTextsAsTextAndOnlyWebPictures_data()
    {
        QTest::addColumn<QString>("photo");
        QTest::addColumn<bool>("shown");
        const QByteArray png = pngBytes(QSize(50, 50), Qt::blue);
        QTest::newRow("web") << "/photo.png" << true;
        QTest::newRow("local file") << "file://" + localPicture() << false;
        QTest::newRow("data") << "data:image/png;base64," + QString::fromLatin1(png.toBase64())
                              << false;
        QTest::newRow("custom scheme") << "quorvel-test://photo.png" << false;
    }

    void accountShowsServiceTextsAsTextAndOnlyWebPictures()
    {
        QFETCH(QString, photo);
        QFETCH(bool, shown);
        QFile picture(localPicture());
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(pngBytes(QSize(50, 50), Qt::blue));
        picture.close();
        settingsStore().setValue(SettingsKeys::Token, "tok");
        const QString name = "<img src=\"file://" + localPicture() + "\"> <b>Ann</b>";
        const QString address = photo.startsWith('/') ? service.baseUrl() + photo : photo;
        service.setScript([&](const RecordedRequest &request) {
            if (request.path == "/photo.png")
                return ScriptedReply::raw(pngBytes(QSize(50, 50), Qt::blue), "image/png");
            return ScriptedReply::json({{"success", "true"},
                                        {"username", name},
                                        {"userinfo", "<a href=\"file:///\">files</a>"},
                                        {"photo", address}});
        });
        Settings dialog;
        auto *nameLabel = dialog.findChild<QLabel *>("user_name");
        QTRY_COMPARE(nameLabel->text(), name);
        for (const char *label : {"user_name", "user_info"})
            QCOMPARE(dialog.findChild<QLabel *>(label)->textFormat(), Qt::PlainText);
        const auto avatarIsBlue = [&dialog] {
            return dialog.findChild<QLabel *>("user_icon")->pixmap().toImage().pixel(10, 10) ==
                   QColor(Qt::blue).rgb();
        };
        if (shown)
            QTRY_VERIFY(avatarIsBlue());
        QTest::qWait(200);
        QCOMPARE(avatarIsBlue(), shown);
    }

    // Logging out drops a user-info reply still on its way, and the logout request goes out even
    // when the dialog is gone before the far server has answered the handshake.
    void logoutEndsTheSessionForGood()
    {
        const auto login = [] {
            settingsStore().setValue(SettingsKeys::IsAuth, "1");
            settingsStore().setValue(SettingsKeys::Token, "tok");
            settingsStore().setValue(SettingsKeys::UserId, "7");
        };
        const auto logouts = [this] {
            const QList<RecordedRequest> requests = service.requests();
            return std::count_if(requests.begin(), requests.end(), [](const RecordedRequest &r) {
                return r.path == "/user_logout.php";
            });
        };
        service.setScript([](const RecordedRequest &) {
            return ScriptedReply::json({{"success", "true"}, {"username", "Ann"}});
        });
        login();
        {
            Settings dialog;
            QTest::mouseClick(dialog.findChild<QPushButton *>("bt_logout"), Qt::LeftButton);
            QTRY_COMPARE(logouts(), 1);
            QTest::qWait(300);
            QCOMPARE(dialog.findChild<QLabel *>("user_name")->text(),
                     QStringLiteral("You are not logined"));
            QVERIFY(dialog.findChild<QPushButton *>("bt_logout")->isHidden());
            QVERIFY(!dialog.findChild<QPushButton *>("bt_login")->isHidden());
        }

        LocalService secure;
        QVERIFY(secure.listenSecurely(SelfSigned::Certificate, SelfSigned::Key));
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificate(QSslCertificate(QByteArray(SelfSigned::Certificate)));
        QSslConfiguration::setDefaultConfiguration(trusting);
        ServiceApi::setApiBaseUrl(secure.baseUrl());
        secure.setScript([](const RecordedRequest &) { return ScriptedReply::json({}); });
        login();
        auto *dialog = new Settings;
        QTest::mouseClick(dialog->findChild<QPushButton *>("bt_logout"), Qt::LeftButton);
        delete dialog;
        QTRY_COMPARE(secure.requestCount(), 1);
        ServiceApi::setApiBaseUrl(service.baseUrl());
        QCOMPARE(secure.requests().constFirst().path, QByteArray("/user_logout.php"));
        QCOMPARE(secure.requests().constFirst().query, QByteArray("token=tok&user_id=7"));
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
    static QString localPicture() { return QDir::temp().filePath(QStringLiteral("avatar.png")); }
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
