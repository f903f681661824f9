#pragma once

// The session kept in the settings: written by a login, cleared by a logout or by an upload that
// the service did not accept the token for.

#include <QString>

class QObject;

namespace Session {

void storeLogin(const QString &token, const QString &userId);
// Tells the service when there is a token to end (its reply is not read), then forgets it.
// The request's network manager belongs to owner.
void logout(QObject *owner);
// Only a stored account number above 0 is cleared: an anonymous upload keeps its state.
void clearAfterAuthFailure();

} // namespace Session
