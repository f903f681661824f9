#pragma once

// The server's records: accounts, tokens, one-time codes, files and OCR nonces, through Qt SQL
// (SQLite embedded, PostgreSQL for several processes). Each thread gets its own connection, as
// Qt SQL requires. Every value travels as a bound parameter. A database failure throws
// StoreError, which the service answers as an internal error.

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <stdexcept>

struct StoreError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct UserRecord
{
    qint64 id = 0;
    QString email;
    QString name;
    QString credential;
    qint64 created = 0;
    QString avatarId; // empty until the account's avatar is first linked
};

struct FileRecord
{
    QString publicId;
    qint64 userId = 0; // 0: an anonymous upload, known only by its installation uuid
    QString uuid;
    QString originalName;
    QString contentType;
    qint64 size = 0;
    bool hasThumbnail = false;
    qint64 created = 0;
};

class SqlStore
{
public:
    // An empty URL keeps an SQLite file at defaultSqlitePath.
    SqlStore(const QString &databaseUrl, const QString &defaultSqlitePath);
    ~SqlStore();
    SqlStore(const SqlStore &) = delete;
    SqlStore &operator=(const SqlStore &) = delete;

    // Connects and applies the migrations; false with `error` filled when that fails.
    bool open(QString *error);
    bool isPostgres() const { return postgres; }

    // Empty when the e-mail address (compared without case) is taken already.
    std::optional<qint64> createUser(const QString &email, const QString &name,
                                     const QString &credential);
    std::optional<UserRecord> userByEmail(const QString &email);
    std::optional<UserRecord> userById(qint64 id);
    qint64 fileCount(qint64 userId);
    // The id in the account's avatar link, made when it is first asked for.
    QString avatarId(qint64 userId);
    std::optional<UserRecord> userByAvatar(const QString &avatarId);

    void addToken(const QString &hash, qint64 userId, qint64 expires);
    std::optional<qint64> userForToken(const QString &hash, qint64 now);
    void revokeToken(const QString &hash);

    void addLoginCode(const QString &hash, qint64 userId, qint64 expires);
    // A code counts once: taking it removes it.
    std::optional<qint64> takeLoginCode(const QString &hash, qint64 now);

    void addFile(const FileRecord &file);
    QList<FileRecord> lastFiles(qint64 userId, int limit);
    std::optional<FileRecord> file(const QString &publicId);
    // Only the owner's own file goes; false when there is no such file of theirs.
    bool deleteFile(const QString &publicId, qint64 userId);

    // False when the nonce was seen before; forgets nonces older than `forgetBefore`.
    bool useNonce(const QString &nonce, qint64 now, qint64 forgetBefore);

    class Query;

private:
    QString connectionName() const;
    QSqlDatabase database() const;

    QString url;
    QString sqlitePath;
    bool postgres = false;
    QString id;
};
