#include "loginform.h"
#include "ui_loginform.h"

#include "browser.h"
#include "plainmessage.h"
#include "serviceapi.h"
#include "session.h"
#include "settingskeys.h"

#include <QInputDialog>
#include <QJsonObject>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QShortcut>

LoginForm::LoginForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::LoginForm), loadingOverlay(new QLabel(this)),
      network(new QNetworkAccessManager(this))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui->label_3->setText(QStringLiteral("<a href=\"http://%1/users/register/\" style=\"font-weight:"
                                        "600; text-decoration: underline; color:#0000ff;\">%2</a>")
                             .arg(ServiceApi::siteHost(), tr("Register")));

    loadingOverlay->setGeometry(rect());
    loadingOverlay->setAlignment(Qt::AlignCenter);
    loadingOverlay->setStyleSheet(QStringLiteral("background-color: rgba(255, 255, 255, 220);"));
    auto *movie = new QMovie(QStringLiteral(":/loading.gif"), QByteArray(), loadingOverlay);
    loadingOverlay->setMovie(movie);
    movie->start();
    loadingOverlay->hide();

    suffix = buildSocialLoginSuffix(
        settingsStore().value(SettingsKeys::Language, SettingsKeys::LanguageDefault).toString(),
        ServiceApi::siteHost());

    auto *returnKey = new QShortcut(QKeySequence(Qt::Key_Return), ui->edit_password);
    returnKey->setContext(Qt::WindowShortcut);
    connect(returnKey, &QShortcut::activated, this, &LoginForm::on_bt_login_clicked);
}

LoginForm::~LoginForm()
{
    delete ui;
}

QString LoginForm::buildSocialLoginSuffix(const QString &language, const QString &siteHost)
{
    const QString lang = language.toLower();
    QString text = QStringLiteral("&window=0&lang=") + lang +
                   QStringLiteral("&fields=email&optional=first_name,last_name,nickname,bdate,sex,"
                                  "photo,photo_big,city,country") +
                   QStringLiteral("&redirect_uri=http%3A%2F%2F") + siteHost;
    if (lang != QLatin1String("ru"))
        text += QStringLiteral("%2F") + lang;
    return text + QStringLiteral("%2Fusers%2Fulogin%2F1%2F&altway=1");
}

void LoginForm::send(const QUrl &url, void (LoginForm::*receiver)(QNetworkReply *))
{
    QNetworkReply *reply = ServiceApi::get(network, url);
    // Queued: a reply may open a message box, and a login that succeeds meanwhile deletes this
    // form with its network manager; that must not happen inside the network library's own call.
    connect(
        reply, &QNetworkReply::finished, this,
        [this, reply, receiver] { (this->*receiver)(reply); }, Qt::QueuedConnection);
}

void LoginForm::on_bt_login_clicked()
{
    loadingOverlay->show();
    loadingOverlay->raise();
    send(ServiceApi::loginUrl(ui->edit_email->text(), ui->edit_password->text()),
         &LoginForm::replyAuthLoginCheckFinished);
}

void LoginForm::on_bt_google_clicked()
{
    socialLogin(QStringLiteral("google"));
}

void LoginForm::on_bt_facebook_clicked()
{
    socialLogin(QStringLiteral("facebook"));
}

void LoginForm::on_bt_vk_clicked()
{
    socialLogin(QStringLiteral("vkontakte"));
}

void LoginForm::on_bt_twitter_clicked()
{
    socialLogin(QStringLiteral("twitter"));
}

void LoginForm::on_bt_yandex_clicked()
{
    socialLogin(QStringLiteral("yandex"));
}

void LoginForm::socialLogin(const QString &provider)
{
    Browser::open(
        QUrl(ServiceApi::brokerBaseUrl() + QStringLiteral("/auth.php?name=") + provider + suffix,
             QUrl::TolerantMode));
    askAuthCode();
}

void LoginForm::askAuthCode()
{
    loadingOverlay->show();
    loadingOverlay->raise();
    // Not run in an event loop of its own: a login that succeeds meanwhile closes the form, and
    // the prompt then simply goes with it.
    auto *prompt = new QInputDialog(this, Qt::Dialog | Qt::WindowTitleHint |
                                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    prompt->setWindowTitle(tr("Quorvel login"));
    prompt->setLabelText(tr("To complete the authorization, enter the code from the site %1:")
                             .arg(ServiceApi::siteHost()));
    prompt->setTextEchoMode(QLineEdit::Normal);
    prompt->setTextValue(QString());
    connect(prompt, &QInputDialog::textValueSelected, this, &LoginForm::checkCode);
    connect(prompt, &QDialog::rejected, loadingOverlay, &QWidget::hide);
    prompt->open();
}

void LoginForm::checkCode(const QString &code)
{
    if (code.isEmpty()) {
        loadingOverlay->hide();
        return;
    }
    send(ServiceApi::checkCodeUrl(code), &LoginForm::replyAuthCodeCheckFinished);
}

bool LoginForm::settleReply(QNetworkReply *reply, QString *error)
{
    loadingOverlay->hide();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        showPlainMessage(tr("Error: ") + ServiceApi::errorText(reply));
        return true;
    }
    const QJsonObject answer = ServiceApi::parseReply(reply->readAll());
    const QString token = ServiceApi::text(answer, QStringLiteral("token"));
    if (!ServiceApi::isSuccess(answer) || token.isEmpty()) {
        *error = ServiceApi::text(answer, QStringLiteral("error"));
        return false;
    }
    Session::storeLogin(token, ServiceApi::text(answer, QStringLiteral("user_id")));
    emit authSuccessful();
    close();
    return true;
}

void LoginForm::replyAuthLoginCheckFinished(QNetworkReply *reply)
{
    QString error;
    if (settleReply(reply, &error))
        return;
    showPlainMessage(error.isEmpty() ? tr("Authentication server did not respond.\nTry again late.")
                                     : error);
}

void LoginForm::replyAuthCodeCheckFinished(QNetworkReply *reply)
{
    QString error;
    if (!settleReply(reply, &error))
        showPlainMessage(tr("Invalid auth code! Try again."));
}
