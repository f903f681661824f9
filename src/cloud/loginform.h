#pragma once

#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class LoginForm;
}

// Signs the user in with e-mail and password, or through a social network and a code from the
// web site; stores the session and announces it.
class LoginForm : public QWidget
{
    Q_OBJECT

public:
    explicit LoginForm(QWidget *parent = nullptr);
    ~LoginForm() override;

    // Appended to every broker address: the language and where the broker sends the user on to.
    static QString buildSocialLoginSuffix(const QString &language, const QString &siteHost);
    QString socialLoginSuffix() const { return suffix; }

signals:
    void authSuccessful();

private slots:
    void on_bt_login_clicked();
    void on_bt_google_clicked();
    void on_bt_facebook_clicked();
    void on_bt_vk_clicked();
    void on_bt_twitter_clicked();
    void on_bt_yandex_clicked();
    void replyAuthLoginCheckFinished(QNetworkReply *reply);
    void replyAuthCodeCheckFinished(QNetworkReply *reply);

private:
    void socialLogin(const QString &provider);
    void askAuthCode();
    void checkCode(const QString &code);
    void send(const QUrl &url, void (LoginForm::*receiver)(QNetworkReply *));
    // True when nothing is left to say: a network error was shown, or the session was stored and
    // announced. Otherwise error holds the service's reason, maybe empty.
    bool settleReply(QNetworkReply *reply, QString *error);

    Ui::LoginForm *ui;
    QLabel *loadingOverlay;
    QNetworkAccessManager *network;
    QString suffix;
};
