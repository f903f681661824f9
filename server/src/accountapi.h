#pragma once

// Log in with e-mail and the program's password hash, or with a one-time code from the web
// site; the account's name, info line and avatar; log out.

#include "httpmessage.h"

struct ServiceContext;

class AccountApi
{
public:
    explicit AccountApi(const ServiceContext &context) : context(context) {}

    HttpResponse login(const HttpRequest &request);
    HttpResponse checkCode(const HttpRequest &request);
    HttpResponse userInfo(const HttpRequest &request);
    HttpResponse logout(const HttpRequest &request);
    // `name` is what follows /a/: the account's avatar id and ".png".
    HttpResponse avatar(const QString &name, const HttpRequest &request);

private:
    // A new token for the account, as the program stores it.
    HttpResponse session(qint64 userId);

    const ServiceContext &context;
};
