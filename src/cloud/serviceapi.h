#pragma once

// What every request to the service shares: the endpoints, the common values, the password hash
// and the reading of replies. Each caller sends its own request and gives the reply its meaning.

#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QString>
#include <QStringList>
#include <QUrl>

class QNetworkAccessManager;

namespace ServiceApi {

inline constexpr char LoginPath[] =
    "/login.php?email=%1&pass=%2&ver=%3&os=%4&hostname=%5&lang=%6&uuid=%7";
inline constexpr char CheckCodePath[] =
    "/check_code.php?code=%1&lang=%2&ver=%3&os=%4&hostname=%5&uuid=%6";
inline constexpr char UserInfoPath[] = "/get_user_info.php?token=%1&user_id=%2&lang=%3";
inline constexpr char LogoutPath[] = "/user_logout.php?token=%1&user_id=%2";
inline constexpr char LastFilesPath[] = "/get_last_user_files.php?token=%1&user_id=%2&lang=%3";
inline constexpr char DeleteFilePath[] =
    "/delete_user_files.php?token=%1&user_id=%2&lang=%3&file_id=%4";
inline constexpr char UploadPath[] = "/upload.php?lang=%1&ver=%2&uuid=%3&token=%4&user_id=%5";
inline constexpr char OcrPath[] = "/ocr.php";

inline constexpr char PasswordSalt[] = "vexmora";

// Read afresh for every request, so a login or a language change counts from the next one on.
struct CommonValues
{
    QString ver;
    QString os;
    QString hostname;
    QString lang;
    QString uuid;
    QString token;
    QString userId;
};
CommonValues commonValues();

// The API's scheme and host, the web site's host and the social-login broker's scheme and host.
// Compiled in; a test points the API at a local server.
QString apiBaseUrl();
void setApiBaseUrl(const QString &url);
QString siteHost();
QString brokerBaseUrl();
// The service holds the same key and checks every OCR request's signature with it.
QByteArray ocrSigningKey();

// A request that has not moved a byte for this long ends with an error instead of waiting for ever.
int transferTimeoutMs();
void setTransferTimeoutMs(int ms);

// Replaces %1 … %n in one pass, so a value that itself holds "%2" stays as typed. Each value is
// percent-encoded whole: an "&", "=", "+", "#" or "%" in an e-mail, code or token reaches the
// service as typed instead of splitting or rewriting the query.
QUrl buildUrl(const QString &base, const QString &pathTemplate, const QStringList &values);

QString passwordHash(const QString &email, const QString &password);

QUrl loginUrl(const QString &email, const QString &password);
QUrl checkCodeUrl(const QString &code);
QUrl userInfoUrl();
QUrl logoutUrl();
QUrl lastFilesUrl();
QUrl deleteFileUrl(const QString &fileId);
QUrl uploadUrl();
QUrl ocrUrl();

QNetworkRequest request(const QUrl &url);

// Replies are read whole into memory: a body that grows past its cap ends the reply with an error
// instead, so a service that keeps sending cannot fill the memory (it would never trip the
// transfer timeout either).
inline constexpr qint64 MaxReplyBytes = 4 * 1024 * 1024;
QNetworkReply *limitReply(QNetworkReply *reply, qint64 maxBytes = MaxReplyBytes);
QNetworkReply *get(QNetworkAccessManager *manager, const QUrl &url,
                   qint64 maxBytes = MaxReplyBytes);
// For requests whose reply nobody reads (logout, removing a file): they belong to the program,
// not to the window that sent them, so that closing the window right after does not abort them.
void sendAndForget(const QUrl &url);

// Only pages and pictures on the web are opened or fetched: a "file:", "data:" or custom-scheme
// address from the service would reach local files or other programs.
bool isWebUrl(const QUrl &url);

// The kind of error and, for an HTTP error, the service's status and reason. Never the text the
// network library gives, which holds the request's URL and with it the token or password hash.
QString errorText(const QNetworkReply *reply);

// A body that is no JSON object reads as an empty object.
QJsonObject parseReply(const QByteArray &body);
// Only JSON strings count; any other type reads as empty.
QString text(const QJsonObject &reply, const QString &key);
bool isSuccess(const QJsonObject &reply);

} // namespace ServiceApi
