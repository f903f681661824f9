#include "sitepages.h"

#include "credentials.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

QString pageFrame(const QString &title, const QString &content)
{
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
               "content=\"width=device-width\"><title>%1</title><style>"
               "body{font-family:sans-serif;background:#f4f6f8;color:#1d2730;margin:0}"
               "main{max-width:360px;margin:48px auto;background:#fff;padding:24px 28px;"
               "border:1px solid #cbd3d9;border-radius:6px}h1{font-size:20px;margin:0 0 16px}"
               "label{display:block;margin:12px 0 4px;font-size:13px;color:#63717c}"
               "input{width:100%;box-sizing:border-box;padding:7px;border:1px solid #cbd3d9;"
               "border-radius:3px}button{margin-top:18px;padding:8px 18px;background:#1677c8;"
               "color:#fff;border:0;border-radius:3px}.error{color:#b3261e}"
               ".code{font-size:28px;letter-spacing:4px;font-weight:600}</style></head>"
               "<body><main><h1>%1</h1>%2</main></body></html>")
        .arg(title.toHtmlEscaped(), content);
}

QString field(const char *name, const char *label, const char *type, const QString &value = {})
{
    return QStringLiteral("<label for=\"%1\">%2</label><input id=\"%1\" name=\"%1\" type=\"%3\" "
                          "value=\"%4\" required>")
        .arg(QLatin1String(name), QLatin1String(label), QLatin1String(type), value.toHtmlEscaped());
}

QString errorLine(const QString &error)
{
    return error.isEmpty() ? QString()
                           : QStringLiteral("<p class=\"error\">%1</p>").arg(error.toHtmlEscaped());
}

QString registerForm(const QString &email, const QString &name, const QString &error)
{
    return pageFrame(QStringLiteral("Create a Quorvel account"),
                     errorLine(error) + QStringLiteral("<form method=\"post\">") +
                         field("name", "Name", "text", name) +
                         field("email", "E-mail", "email", email) +
                         field("password", "Password", "password") +
                         field("password2", "Password again", "password") +
                         QStringLiteral("<button type=\"submit\">Register</button></form>"));
}

QString signInForm(const QString &email, const QString &error)
{
    return pageFrame(QStringLiteral("Sign in to Quorvel"),
                     errorLine(error) +
                         QStringLiteral("<p>Sign in to get the code the program asks for.</p>"
                                        "<form method=\"post\">") +
                         field("email", "E-mail", "email", email) +
                         field("password", "Password", "password") +
                         QStringLiteral("<button type=\"submit\">Get code</button></form>"));
}

bool isEmailAddress(const QString &email)
{
    static const QRegularExpression form(QStringLiteral("^[^@\\s&=#]+@[^@\\s&=#]+\\.[^@\\s&=#]+$"));
    return email.size() <= 254 && form.match(email).hasMatch();
}

} // namespace

bool SitePages::serve(const HttpRequest &request, HttpResponse *page)
{
    // Every page also answers under a language segment, as the program links them.
    static const QRegularExpression form(
        QStringLiteral("^(/[a-z]{2})?/users/(register|ulogin/1)/?$"));
    const QRegularExpressionMatch match = form.match(request.path);
    if (match.hasMatch()) {
        *page = match.captured(2) == QLatin1String("register") ? registerPage(request)
                                                               : codePage(request);
        return true;
    }
    if (request.path == QLatin1String("/") && request.method != "POST") {
        *page = HttpResponse::html(
            pageFrame(QStringLiteral("Quorvel"),
                      QStringLiteral("<p>This server keeps Quorvel accounts and uploads.</p>"
                                     "<p><a href=\"/users/register/\">Create an account</a></p>")));
        return true;
    }
    return false;
}

HttpResponse SitePages::registerPage(const HttpRequest &request)
{
    if (request.method != "POST")
        return HttpResponse::html(registerForm({}, {}, {}));
    bool valid = false;
    const QHash<QString, QString> form = decodeForm(request.body, &valid);
    const QString name = form.value(QStringLiteral("name")).trimmed();
    const QString email = form.value(QStringLiteral("email")).trimmed();
    const QString password = form.value(QStringLiteral("password"));
    QString error;
    if (!valid)
        error = QStringLiteral("The form was not sent as UTF-8.");
    else if (name.isEmpty() || name.size() > 100)
        error = QStringLiteral("Please give a name of at most 100 characters.");
    else if (!isEmailAddress(email))
        error = QStringLiteral("Please give a valid e-mail address.");
    else if (password.size() < 8 || password.size() > 200)
        error = QStringLiteral("The password needs 8 to 200 characters.");
    else if (password != form.value(QStringLiteral("password2")))
        error = QStringLiteral("The two passwords differ.");
    if (!error.isEmpty())
        return HttpResponse::html(registerForm(email, name, error), 400);
    const QString credential = Credentials::storedCredential(
        Credentials::clientPasswordHash(email, password), context.config.passwordIterations);
    if (!context.store.createUser(email, name, credential))
        return HttpResponse::html(
            registerForm(email, name, QStringLiteral("An account with this e-mail exists.")), 409);
    return HttpResponse::html(pageFrame(
        QStringLiteral("Welcome to Quorvel"),
        QStringLiteral("<p>Your account is ready. Log in from the program with %1 and your "
                       "password.</p>")
            .arg(email.toHtmlEscaped())));
}

HttpResponse SitePages::codePage(const HttpRequest &request)
{
    if (request.method != "POST")
        return HttpResponse::html(signInForm({}, {}));
    bool valid = false;
    const QHash<QString, QString> form = decodeForm(request.body, &valid);
    const QString email = form.value(QStringLiteral("email")).trimmed();
    const auto user = valid ? context.store.userByEmail(email) : std::nullopt;
    const QString hash =
        Credentials::clientPasswordHash(email, form.value(QStringLiteral("password")));
    if (!user || !Credentials::credentialMatches(user->credential, hash))
        return HttpResponse::html(signInForm(email, QStringLiteral("Wrong e-mail or password.")),
                                  403);
    const QString code = Credentials::newLoginCode();
    const int minutes = context.config.codeMinutes;
    context.store.addLoginCode(Credentials::secretHash(code), user->id,
                               QDateTime::currentSecsSinceEpoch() + qint64(minutes) * 60);
    return HttpResponse::html(pageFrame(
        QStringLiteral("Your code"),
        QStringLiteral("<p>Type this code into Quorvel. It works once, for %1 minutes.</p>"
                       "<p class=\"code\">%2</p>")
            .arg(minutes)
            .arg(code)));
}
