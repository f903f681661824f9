#pragma once

// A throwaway PostgreSQL server for tests and benchmarks: a cluster made with initdb in a
// temporary folder and run as a child of this process on a free loopback port, stopped and
// removed again when this object goes, and killed with this process however it ends.
// PostgreSQL refuses to run as root; as root the cluster belongs to nobody.

#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class PostgresCluster
{
public:
    PostgresCluster() = default;
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    // The folder holding initdb and postgres, or empty where PostgreSQL is not installed.
    static QString programFolder();

    // Makes and starts the cluster; false with `error` filled when that fails.
    bool start(QString *error);
    void stop();
    bool isRunning() const { return server.state() == QProcess::Running; }

    // A fresh, empty database as a storage/database URL; empty with `error` filled on failure.
    QString newDatabase(QString *error);

private:
    static void startProgram(QProcess &process, const QString &program,
                             const QStringList &arguments);
    bool run(const QString &program, const QStringList &arguments, QString *error) const;
    bool acceptsConnections() const;
    QSqlDatabase adminConnection(const QString &name) const;

    std::unique_ptr<QTemporaryDir> folder;
    QString dataFolder;
    quint16 port = 0;
    int databases = 0;
    QProcess server;
};
