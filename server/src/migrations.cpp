#include "migrations.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace Migrations {

namespace {

// %KEY% is the dialect's auto-numbered primary key.
const QList<QStringList> &steps()
{
    static const QList<QStringList> all = {
        {
            QStringLiteral("CREATE TABLE users (id %KEY%, email TEXT NOT NULL, "
                           "email_key TEXT NOT NULL UNIQUE, name TEXT NOT NULL, "
                           "credential TEXT NOT NULL, created BIGINT NOT NULL)"),
            QStringLiteral("CREATE TABLE tokens (hash TEXT PRIMARY KEY, user_id BIGINT NOT NULL "
                           "REFERENCES users(id) ON DELETE CASCADE, created BIGINT NOT NULL, "
                           "expires BIGINT NOT NULL)"),
            QStringLiteral("CREATE INDEX tokens_by_user ON tokens(user_id)"),
            QStringLiteral("CREATE TABLE login_codes (hash TEXT PRIMARY KEY, user_id BIGINT NOT "
                           "NULL REFERENCES users(id) ON DELETE CASCADE, expires BIGINT NOT NULL)"),
            QStringLiteral("CREATE TABLE files (id %KEY%, public_id TEXT NOT NULL UNIQUE, "
                           "user_id BIGINT REFERENCES users(id) ON DELETE SET NULL, "
                           "uuid TEXT NOT NULL, original_name TEXT NOT NULL, "
                           "content_type TEXT NOT NULL, size BIGINT NOT NULL, "
                           "has_thumbnail INTEGER NOT NULL, created BIGINT NOT NULL)"),
            QStringLiteral("CREATE INDEX files_by_user ON files(user_id, id)"),
            QStringLiteral(
                "CREATE TABLE ocr_nonces (nonce TEXT PRIMARY KEY, seen BIGINT NOT NULL)"),
            QStringLiteral("CREATE INDEX ocr_nonces_by_age ON ocr_nonces(seen)"),
        },
        {
            // Avatar links name the account by this random id, never by its e-mail or number.
            QStringLiteral("ALTER TABLE users ADD COLUMN avatar_id TEXT"),
            QStringLiteral("CREATE UNIQUE INDEX users_by_avatar ON users(avatar_id)"),
        },
    };
    return all;
}

QString dialectText(QString statement, Dialect dialect)
{
    return statement.replace(QLatin1String("%KEY%"), dialect == Dialect::Sqlite
                                                         ? QLatin1String("INTEGER PRIMARY KEY")
                                                         : QLatin1String("BIGSERIAL PRIMARY KEY"));
}

bool run(QSqlDatabase &db, const QString &statement, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    *error = query.lastError().text() + QStringLiteral(" in: ") + statement;
    return false;
}

int currentVersion(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) && query.next())
        return query.value(0).toInt();
    return 0;
}

bool migrate(QSqlDatabase &db, Dialect dialect, QString *error)
{
    if (dialect == Dialect::Postgres &&
        !run(db, QStringLiteral("SELECT pg_advisory_xact_lock(48151623)"), error))
        return false;
    if (!run(db,
             QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT "
                            "NULL, applied BIGINT NOT NULL)"),
             error))
        return false;
    for (int version = currentVersion(db) + 1; version <= latestVersion(); ++version) {
        for (const QString &statement : steps().at(version - 1))
            if (!run(db, dialectText(statement, dialect), error))
                return false;
        QSqlQuery record(db);
        record.prepare(QStringLiteral("INSERT INTO schema_version (version, applied) VALUES (?, "
                                      "?)"));
        record.addBindValue(version);
        record.addBindValue(QDateTime::currentSecsSinceEpoch());
        if (!record.exec()) {
            *error = record.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

int latestVersion()
{
    return int(steps().size());
}

bool apply(QSqlDatabase &db, Dialect dialect, QString *error)
{
    // SQLite takes the write lock at once, so a second process waits instead of failing later.
    const QString begin =
        dialect == Dialect::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    if (!run(db, begin, error))
        return false;
    if (migrate(db, dialect, error))
        return run(db, QStringLiteral("COMMIT"), error);
    QString ignored;
    run(db, QStringLiteral("ROLLBACK"), &ignored);
    return false;
}

} // namespace Migrations
