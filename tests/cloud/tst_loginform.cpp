#include "../app/modalresponder.h"
#include "cloudtest.h"

#include "browser.h"
#include "loginform.h"
#include "serviceapi.h"
#include "settingskeys.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

// The login window against a local server: e-mail and code logins, each reply and its message.
class LoginFormTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(serveLocally(service));
        Browser::setOpener([this](const QUrl &url) { opened << url; });
    }

    void init()
    {
        settingsStore().clear();
        opened.clear();
    }

    void emailLoginReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted") << QByteArray(
                                         R"({"success":"true","token":"tok","user_id":"42"})")
                                  << true << "";
        QTest::newRow("boolean true refused")
            << QByteArray(R"({"success":true,"token":"tok","user_id":"42"})") << false
            << "Authentication server did not respond.\nTry again late.";
        QTest::newRow("empty token refused")
            << QByteArray(R"({"success":"true","token":"","user_id":"42"})") << false
            << "Authentication server did not respond.\nTry again late.";
        QTest::newRow("service's reason shown as plain text")
            << QByteArray(R"({"success":"false","error":"<b>Wrong</b> password"})") << false
            << "<b>Wrong</b> password";
        QTest::newRow("no JSON") << QByteArray("Bad gateway") << false
                                 << "Authentication server did not respond.\nTry again late.";
    }

    void emailLoginReplies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        service.setScript([reply](const RecordedRequest &) { return ScriptedReply::raw(reply); });
        const int before = service.requestCount();

        QPointer<LoginForm> form = new LoginForm;
        QSignalSpy success(form.data(), &LoginForm::authSuccessful);
        form->show();
        form->findChild<QLineEdit *>(QStringLiteral("edit_email"))
            ->setText(QStringLiteral("a@b.c"));
        auto *password = form->findChild<QLineEdit *>(QStringLiteral("edit_password"));
        password->setText(QStringLiteral("pw"));
        // An accepted login shows no message; one that came anyway is caught, not left open.
        ModalResponder responder({acknowledge()});
        // Return in the password field sends the login, as the button does.
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        password->setFocus();
        QTest::keyClick(password, Qt::Key_Return);

        QTRY_COMPARE(service.requestCount(), before + 1);
        const RecordedRequest request = service.requests().constLast();
        QCOMPARE(request.path, QByteArray("/login.php"));
        QCOMPARE(request.queryValue(QStringLiteral("pass")),
                 ServiceApi::passwordHash(QStringLiteral("a@b.c"), QStringLiteral("pw")));
        QVERIFY(!request.query.contains("pw&"));
        if (accepted) {
            QTRY_COMPARE(success.count(), 1);
            QTRY_VERIFY(!form);
            QCOMPARE(responder.messages, QStringList());
            const QSettings settings = settingsStore();
            QCOMPARE(settings.value(SettingsKeys::IsAuth).toString(), QStringLiteral("1"));
            QCOMPARE(settings.value(SettingsKeys::Token).toString(), QStringLiteral("tok"));
            QCOMPARE(settings.value(SettingsKeys::UserId).toString(), QStringLiteral("42"));
        } else {
            QTRY_VERIFY(responder.finished());
            QCOMPARE(responder.messages, QStringList{message});
            QCOMPARE(responder.formats.value(0), Qt::PlainText);
            QCOMPARE(success.count(), 0);
            QVERIFY(form && form->isVisible());
            QCOMPARE(password->text(), QStringLiteral("pw"));
            QVERIFY(settingsStore().value(SettingsKeys::Token).toString().isEmpty());
            delete form;
        }
    }

    void networkErrorIsReported()
    {
        ServiceApi::setApiBaseUrl(QStringLiteral("http://127.0.0.1:1"));
        LoginForm form;
        ModalResponder responder({acknowledge()});
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bt_login")),
                          Qt::LeftButton);
        QTRY_VERIFY(responder.finished());
        ServiceApi::setApiBaseUrl(service.baseUrl());
        QVERIFY2(
            responder.messages.value(0).startsWith(QStringLiteral("Error: Connection refused")),
            qPrintable(responder.messages.value(0)));
        QVERIFY(!isLoggedIn());
    }

    void codeLogin_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("accepted") << "1234"
                                  << QByteArray(R"({"success":"true","token":"t9","user_id":"7"})")
                                  << "";
        QTest::newRow("empty token") << "1234" << QByteArray(R"({"success":"true","token":""})")
                                     << "Invalid auth code! Try again.";
        QTest::newRow("refused") << "99" << QByteArray(R"({"success":"false"})")
                                 << "Invalid auth code! Try again.";
    }

    void codeLogin()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        service.setScript([reply](const RecordedRequest &) { return ScriptedReply::raw(reply); });
        const int before = service.requestCount();
        QPointer<LoginForm> form = new LoginForm;
        QSignalSpy success(form.data(), &LoginForm::authSuccessful);
        QList<ModalResponder::Step> steps{enterCode(code)};
        if (!message.isEmpty())
            steps << acknowledge();
        ModalResponder responder(steps);
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("bt_vk")), Qt::LeftButton);

        QCOMPARE(opened.size(), 1);
        QVERIFY2(opened[0].toString().contains(QStringLiteral("/auth.php?name=vkontakte&window=0")),
                 qPrintable(opened[0].toString()));
        QTRY_VERIFY(responder.finished());
        QTRY_COMPARE(service.requestCount(), before + 1);
        const RecordedRequest request = service.requests().constLast();
        QCOMPARE(request.path, QByteArray("/check_code.php"));
        QCOMPARE(request.queryValue(QStringLiteral("code")), code);
        if (message.isEmpty()) {
            QTRY_COMPARE(success.count(), 1);
            QCOMPARE(settingsStore().value(SettingsKeys::Token).toString(), QStringLiteral("t9"));
        } else {
            QCOMPARE(responder.messages, QStringList{message});
            QVERIFY(!isLoggedIn());
            delete form;
        }
    }

    void cancelledCodePromptSendsNothing()
    {
        const int before = service.requestCount();
        LoginForm form;
        form.show();
        ModalResponder responder({ModalResponder::cancel()});
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bt_google")),
                          Qt::LeftButton);
        QTRY_VERIFY(responder.finished());
        QTest::qWait(100);
        QCOMPARE(service.requestCount(), before);
        const QList<QLabel *> labels = form.findChildren<QLabel *>();
        const bool overlayShown = std::any_of(labels.begin(), labels.end(), [](QLabel *label) {
            return label->movie() && label->isVisible();
        });
        QVERIFY(!overlayShown);
    }

    // A login that succeeds while the code prompt is open closes the form; the prompt goes with
    // it and nothing is used after the form is gone.
    void loginSucceedsUnderTheCodePrompt()
    {
        service.setScript([](const RecordedRequest &) {
            return ScriptedReply::json({{"success", "true"}, {"token", "t1"}, {"user_id", "3"}});
        });
        const int before = service.requestCount();
        QPointer<LoginForm> form = new LoginForm;
        QSignalSpy success(form.data(), &LoginForm::authSuccessful);
        form->show();
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("bt_login")),
                          Qt::LeftButton);
        // From the event loop, as a click comes: the form is gone when the prompt returns.
        QTimer::singleShot(0, form->findChild<QPushButton *>(QStringLiteral("bt_google")),
                           &QPushButton::click);
        QTRY_VERIFY(qobject_cast<QInputDialog *>(QApplication::activeModalWidget()) || !form);
        QTRY_VERIFY(!form);
        QCOMPARE(success.count(), 1);
        QCOMPARE(settingsStore().value(SettingsKeys::Token).toString(), QStringLiteral("t1"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QTest::qWait(100);
        const QList<RecordedRequest> sent = service.requests().mid(before);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().path, QByteArray("/login.php"));
    }

    void socialLoginSuffix_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("redirect");
        QTest::newRow("ru has no language segment")
            << "ru"
            << "&redirect_uri=http%3A%2F%2Fsite.test%2Fusers%2Fulogin%2F1%2F&altway=1";
        QTest::newRow("de")
            << "DE"
            << "&redirect_uri=http%3A%2F%2Fsite.test%2Fde%2Fusers%2Fulogin%2F1%2F&altway=1";
    }

    void socialLoginSuffix()
    {
        QFETCH(QString, language);
        QFETCH(QString, redirect);
        const QString suffix =
            LoginForm::buildSocialLoginSuffix(language, QStringLiteral("site.test"));
        QVERIFY(
            suffix.startsWith(QStringLiteral("&window=0&lang=") + language.toLower() +
                              QStringLiteral("&fields=email&optional=first_name,last_name,"
                                             "nickname,bdate,sex,photo,photo_big,city,country")));
        QVERIFY2(suffix.endsWith(redirect), qPrintable(suffix));
    }

private:
    static ModalResponder::Step enterCode(const QString &code)
    {
        return [code](QWidget *widget) {
            auto *prompt = qobject_cast<QInputDialog *>(widget);
            QVERIFY(prompt);
            QCOMPARE(prompt->windowTitle(), QStringLiteral("Quorvel login"));
            prompt->setTextValue(code);
            prompt->accept();
        };
    }

    LocalService service;
    QList<QUrl> opened;
};

QTEST_MAIN(LoginFormTest)
#include "tst_loginform.moc"
