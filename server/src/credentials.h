#pragma once

// Secrets and the hashes kept instead of them: passwords, tokens, one-time codes, signatures.

#include <QByteArray>
#include <QString>

namespace Credentials {

QByteArray randomBytes(int count);
// 256 random bits as 64 lower-case hex digits.
QString newToken();
// What the database keeps of a token or a one-time code: a lookup needs no salt, and a leaked
// table gives no usable token.
QString secretHash(const QString &secret);
// 128 random bits, URL-safe, for names in the storage folder and in public links.
QString newPublicId();
// Eight decimal digits, easy to type from a web page.
QString newLoginCode();

// The hash the program sends as its password (MD5 of e-mail, salt and password, lower-case
// hex), made here for the register form that receives the password itself.
QString clientPasswordHash(const QString &email, const QString &password);

// A slow salted hash of the client's hash, with its parameters, so that the table alone never
// lets anybody log in: "pbkdf2-sha256$iterations$salt$hash".
QString storedCredential(const QString &clientHash, int iterations);
bool credentialMatches(const QString &stored, const QString &clientHash);

// HMAC-SHA256 of message, compared in constant time with the given lower-case hex text.
bool signatureMatches(const QByteArray &message, const QByteArray &key, const QByteArray &hex);

} // namespace Credentials
