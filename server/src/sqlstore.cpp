#include "sqlstore.h"

#include "credentials.h"
#include "migrations.h"

#include <QDateTime>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <QVariant>

namespace {

QMutex connectionsMutex;

} // namespace

class SqlStore::Query
{
public:
    Query(const SqlStore &store, const QString &statement) : query(store.database())
    {
        if (!query.prepare(statement))
            fail();
    }

    Query &bind(const QVariant &value)
    {
        query.addBindValue(value);
        return *this;
    }

    Query &exec()
    {
        if (!query.exec())
            fail();
        return *this;
    }

    bool next() { return query.next(); }
    QVariant value(int column) const { return query.value(column); }
    int affected() const { return query.numRowsAffected(); }
    QSqlQuery &raw() { return query; }

private:
    [[noreturn]] void fail() const { throw StoreError(query.lastError().text().toStdString()); }

    QSqlQuery query;
};

namespace {

FileRecord fileFrom(SqlStore::Query &query)
{
    FileRecord file;
    file.publicId = query.value(0).toString();
    file.userId = query.value(1).toLongLong();
    file.uuid = query.value(2).toString();
    file.originalName = query.value(3).toString();
    file.contentType = query.value(4).toString();
    file.size = query.value(5).toLongLong();
    file.hasThumbnail = query.value(6).toInt() != 0;
    file.created = query.value(7).toLongLong();
    return file;
}

UserRecord userFrom(SqlStore::Query &query)
{
    UserRecord user;
    user.id = query.value(0).toLongLong();
    user.email = query.value(1).toString();
    user.name = query.value(2).toString();
    user.credential = query.value(3).toString();
    user.created = query.value(4).toLongLong();
    user.avatarId = query.value(5).toString();
    return user;
}

const char FileColumns[] =
    "public_id, COALESCE(user_id, 0), uuid, original_name, content_type, size, has_thumbnail, "
    "created";
const char UserColumns[] = "id, email, name, credential, created, avatar_id";

} // namespace

SqlStore::SqlStore(const QString &databaseUrl, const QString &defaultSqlitePath)
    : url(databaseUrl), sqlitePath(defaultSqlitePath),
      id(QUuid::createUuid().toString(QUuid::Id128))
{
    const QString scheme = QUrl(url).scheme();
    postgres = scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
    if (!url.isEmpty() && scheme == QLatin1String("sqlite"))
        sqlitePath = QUrl(url).path();
}

SqlStore::~SqlStore()
{
    QMutexLocker lock(&connectionsMutex);
    for (const QString &name : QSqlDatabase::connectionNames())
        if (name.startsWith(id))
            QSqlDatabase::removeDatabase(name);
}

QString SqlStore::connectionName() const
{
    return id + QString::number(quintptr(QThread::currentThreadId()));
}

QSqlDatabase SqlStore::database() const
{
    const QString name = connectionName();
    {
        QMutexLocker lock(&connectionsMutex);
        if (QSqlDatabase::contains(name))
            return QSqlDatabase::database(name, false);
    }
    QSqlDatabase db;
    {
        QMutexLocker lock(&connectionsMutex);
        db = QSqlDatabase::addDatabase(
            postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    }
    if (postgres) {
        const QUrl parsed(url);
        db.setHostName(parsed.host());
        db.setPort(parsed.port(5432));
        db.setUserName(parsed.userName());
        db.setPassword(parsed.password());
        db.setDatabaseName(parsed.path().mid(1));
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        db.setDatabaseName(sqlitePath);
        // Several connections write to one file: wait for the lock instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open())
        throw StoreError(db.lastError().text().toStdString());
    if (!postgres) {
        QSqlQuery pragma(db);
        // WAL lets readers go on while one connection writes; foreign keys are off by default.
        for (const char *statement :
             {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA foreign_keys=ON"})
            if (!pragma.exec(QLatin1String(statement)))
                throw StoreError(pragma.lastError().text().toStdString());
    }
    return db;
}

bool SqlStore::open(QString *error)
{
    try {
        QSqlDatabase db = database();
        return Migrations::apply(
            db, postgres ? Migrations::Dialect::Postgres : Migrations::Dialect::Sqlite, error);
    } catch (const StoreError &e) {
        *error = QString::fromStdString(e.what());
        return false;
    }
}

std::optional<qint64> SqlStore::createUser(const QString &email, const QString &name,
                                           const QString &credential)
{
    Query query(*this, QStringLiteral("INSERT INTO users (email, email_key, name, credential, "
                                      "created) VALUES (?, ?, ?, ?, ?) ON CONFLICT (email_key) DO "
                                      "NOTHING RETURNING id"));
    query.bind(email).bind(email.toLower()).bind(name).bind(credential);
    query.bind(QDateTime::currentSecsSinceEpoch()).exec();
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

std::optional<UserRecord> SqlStore::userByEmail(const QString &email)
{
    Query query(
        *this,
        QStringLiteral("SELECT %1 FROM users WHERE email_key = ?").arg(QLatin1String(UserColumns)));
    query.bind(email.toLower()).exec();
    if (!query.next())
        return std::nullopt;
    return userFrom(query);
}

std::optional<UserRecord> SqlStore::userById(qint64 userId)
{
    Query query(
        *this, QStringLiteral("SELECT %1 FROM users WHERE id = ?").arg(QLatin1String(UserColumns)));
    query.bind(userId).exec();
    if (!query.next())
        return std::nullopt;
    return userFrom(query);
}

QString SqlStore::avatarId(qint64 userId)
{
    // Of two requests at once the first write wins, and both read what it wrote.
    Query(*this,
          QStringLiteral("UPDATE users SET avatar_id = ? WHERE id = ? AND avatar_id IS NULL"))
        .bind(Credentials::newPublicId())
        .bind(userId)
        .exec();
    Query query(*this, QStringLiteral("SELECT avatar_id FROM users WHERE id = ?"));
    query.bind(userId).exec();
    return query.next() ? query.value(0).toString() : QString();
}

std::optional<UserRecord> SqlStore::userByAvatar(const QString &avatarId)
{
    Query query(
        *this,
        QStringLiteral("SELECT %1 FROM users WHERE avatar_id = ?").arg(QLatin1String(UserColumns)));
    query.bind(avatarId).exec();
    if (!query.next())
        return std::nullopt;
    return userFrom(query);
}

qint64 SqlStore::fileCount(qint64 userId)
{
    Query query(*this, QStringLiteral("SELECT COUNT(*) FROM files WHERE user_id = ?"));
    query.bind(userId).exec();
    return query.next() ? query.value(0).toLongLong() : 0;
}

void SqlStore::addToken(const QString &hash, qint64 userId, qint64 expires)
{
    Query(*this, QStringLiteral("INSERT INTO tokens (hash, user_id, created, expires) VALUES (?, "
                                "?, ?, ?)"))
        .bind(hash)
        .bind(userId)
        .bind(QDateTime::currentSecsSinceEpoch())
        .bind(expires)
        .exec();
}

std::optional<qint64> SqlStore::userForToken(const QString &hash, qint64 now)
{
    Query query(*this, QStringLiteral("SELECT user_id FROM tokens WHERE hash = ? AND expires > ?"));
    query.bind(hash).bind(now).exec();
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

void SqlStore::revokeToken(const QString &hash)
{
    Query(*this, QStringLiteral("DELETE FROM tokens WHERE hash = ?")).bind(hash).exec();
}

void SqlStore::addLoginCode(const QString &hash, qint64 userId, qint64 expires)
{
    Query(*this,
          QStringLiteral("INSERT INTO login_codes (hash, user_id, expires) VALUES (?, ?, ?)"))
        .bind(hash)
        .bind(userId)
        .bind(expires)
        .exec();
}

std::optional<qint64> SqlStore::takeLoginCode(const QString &hash, qint64 now)
{
    // Delete and read in one statement, so two processes cannot both take the same code.
    Query query(
        *this, QStringLiteral("DELETE FROM login_codes WHERE hash = ? RETURNING user_id, expires"));
    query.bind(hash).exec();
    if (!query.next() || query.value(1).toLongLong() <= now)
        return std::nullopt;
    return query.value(0).toLongLong();
}

void SqlStore::addFile(const FileRecord &file)
{
    Query(*this, QStringLiteral("INSERT INTO files (public_id, user_id, uuid, original_name, "
                                "content_type, size, has_thumbnail, created) VALUES (?, ?, ?, ?, "
                                "?, ?, ?, ?)"))
        .bind(file.publicId)
        .bind(file.userId > 0 ? QVariant(file.userId) : QVariant(QMetaType::fromType<qint64>()))
        .bind(file.uuid)
        .bind(file.originalName)
        .bind(file.contentType)
        .bind(file.size)
        .bind(file.hasThumbnail ? 1 : 0)
        .bind(file.created)
        .exec();
}

QList<FileRecord> SqlStore::lastFiles(qint64 userId, int limit)
{
    Query query(*this, QStringLiteral("SELECT %1 FROM files WHERE user_id = ? ORDER BY id DESC "
                                      "LIMIT ?")
                           .arg(QLatin1String(FileColumns)));
    query.bind(userId).bind(limit).exec();
    QList<FileRecord> files;
    while (query.next())
        files.append(fileFrom(query));
    return files;
}

std::optional<FileRecord> SqlStore::file(const QString &publicId)
{
    Query query(
        *this,
        QStringLiteral("SELECT %1 FROM files WHERE public_id = ?").arg(QLatin1String(FileColumns)));
    query.bind(publicId).exec();
    if (!query.next())
        return std::nullopt;
    return fileFrom(query);
}

bool SqlStore::deleteFile(const QString &publicId, qint64 userId)
{
    Query query(*this, QStringLiteral("DELETE FROM files WHERE public_id = ? AND user_id = ?"));
    query.bind(publicId).bind(userId).exec();
    return query.affected() > 0;
}

bool SqlStore::useNonce(const QString &nonce, qint64 now, qint64 forgetBefore)
{
    Query(*this, QStringLiteral("DELETE FROM ocr_nonces WHERE seen < ?")).bind(forgetBefore).exec();
    Query query(*this, QStringLiteral("INSERT INTO ocr_nonces (nonce, seen) VALUES (?, ?) ON "
                                      "CONFLICT (nonce) DO NOTHING"));
    query.bind(nonce).bind(now).exec();
    return query.affected() == 1;
}
