#pragma once

// The schema's history, one numbered step after another, applied at start. A step once released
// is never edited: a change is a new step.

#include <QSqlDatabase>
#include <QString>

namespace Migrations {

enum class Dialect
{
    Sqlite,
    Postgres
};

int latestVersion();
// Brings the database to the latest version inside one transaction that other server processes
// wait for; false with `error` filled when a step fails (nothing of it stays).
bool apply(QSqlDatabase &db, Dialect dialect, QString *error);

} // namespace Migrations
