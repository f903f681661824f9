#include "session.h"

#include "serviceapi.h"
#include "settingskeys.h"

namespace Session {

void storeLogin(const QString &token, const QString &userId)
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::IsAuth, QStringLiteral("1"));
    settings.setValue(SettingsKeys::Token, token);
    settings.setValue(SettingsKeys::UserId, userId);
}

void logout()
{
    QSettings settings = settingsStore();
    if (!settings.value(SettingsKeys::Token).toString().isEmpty())
        ServiceApi::sendAndForget(ServiceApi::logoutUrl());
    const QString loggedOut = QStringLiteral("0");
    settings.setValue(SettingsKeys::IsAuth, loggedOut);
    settings.setValue(SettingsKeys::Token, loggedOut);
    settings.setValue(SettingsKeys::UserId, loggedOut);
}

void clearAfterAuthFailure()
{
    QSettings settings = settingsStore();
    if (settings.value(SettingsKeys::UserId, SettingsKeys::UserIdDefault).toString().toInt() <= 0)
        return;
    settings.setValue(SettingsKeys::IsAuth, QStringLiteral("0"));
    settings.setValue(SettingsKeys::UserId, QStringLiteral("0"));
    settings.setValue(SettingsKeys::Token, QString());
}

} // namespace Session
