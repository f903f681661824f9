#include "credentials.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <stdexcept>

namespace Credentials {

namespace {

constexpr char Salt[] = "vexmora";
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;

QByteArray pbkdf2(const QByteArray &secret, const QByteArray &salt, int iterations)
{
    QByteArray out(HashBytes, Qt::Uninitialized);
    if (PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()),
                          reinterpret_cast<const unsigned char *>(salt.constData()),
                          int(salt.size()), iterations, EVP_sha256(), HashBytes,
                          reinterpret_cast<unsigned char *>(out.data())) != 1)
        throw std::runtime_error("PBKDF2 failed");
    return out;
}

bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() &&
           CRYPTO_memcmp(a.constData(), b.constData(), size_t(a.size())) == 0;
}

} // namespace

QByteArray randomBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    if (RAND_bytes(reinterpret_cast<unsigned char *>(bytes.data()), count) != 1)
        throw std::runtime_error("no random bytes");
    return bytes;
}

QString newToken()
{
    return QString::fromLatin1(randomBytes(32).toHex());
}

QString secretHash(const QString &secret)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(secret.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString newPublicId()
{
    return QString::fromLatin1(
        randomBytes(16).toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString newLoginCode()
{
    const QByteArray bytes = randomBytes(8);
    QString code;
    for (char byte : bytes)
        code += QChar(u'0' + (uchar(byte) % 10));
    return code;
}

QString clientPasswordHash(const QString &email, const QString &password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(email.toUtf8() + Salt + password.toUtf8(), QCryptographicHash::Md5)
            .toHex());
}

QString storedCredential(const QString &clientHash, int iterations)
{
    const QByteArray salt = randomBytes(SaltBytes);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()),
             QString::fromLatin1(pbkdf2(clientHash.toUtf8(), salt, iterations).toBase64()));
}

bool credentialMatches(const QString &stored, const QString &clientHash)
{
    const QStringList fields = stored.split(QLatin1Char('$'));
    if (fields.size() != 4 || fields[0] != QLatin1String("pbkdf2-sha256"))
        return false;
    bool ok = false;
    const int iterations = fields[1].toInt(&ok);
    if (!ok || iterations < 1)
        return false;
    const QByteArray salt = QByteArray::fromBase64(fields[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(fields[3].toLatin1());
    return sameBytes(pbkdf2(clientHash.toUtf8(), salt, iterations), expected);
}

bool signatureMatches(const QByteArray &message, const QByteArray &key, const QByteArray &hex)
{
    const QByteArray expected =
        QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256).toHex();
    return sameBytes(expected, hex);
}

} // namespace Credentials
