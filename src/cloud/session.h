#pragma once

// The session kept in the settings: written by a login, cleared by a logout or by an upload that
// the service did not accept the token for.

#include <QString>

namespace Session {

void storeLogin(const QString &token, const QString &userId);
// Tells the service when there is a token to end (its reply is not read), then forgets it. The
// request outlives the window it came from, so the session also ends on the server.
void logout();
// Only a stored account number above 0 is cleared: an anonymous upload keeps its state.
void clearAfterAuthFailure();

} // namespace Session
