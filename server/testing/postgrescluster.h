#pragma once

// A throwaway PostgreSQL server for tests and benchmarks: a cluster made with initdb in a
// temporary folder and run by pg_ctl on a free loopback port, stopped and removed again when
// this object goes. PostgreSQL refuses to run as root; as root the cluster belongs to nobody.

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

    // The folder holding initdb and pg_ctl, or empty where PostgreSQL is not installed.
    static QString programFolder();

    // Makes and starts the cluster; false with `error` filled when that fails.
    bool start(QString *error);
    void stop();
    bool isRunning() const { return running; }

    // A fresh, empty database as a storage/database URL; empty with `error` filled on failure.
    QString newDatabase(QString *error);

private:
    bool run(const QString &program, const QStringList &arguments, QString *error) const;

    std::unique_ptr<QTemporaryDir> folder;
    QString dataFolder;
    quint16 port = 0;
    int databases = 0;
    bool running = false;
};
