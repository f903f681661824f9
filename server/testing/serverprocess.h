#pragma once

// The quorvel-server binary as its own process on 127.0.0.1 at a port it picks, for tests and
// benchmarks that need what only a separate process shows: several of them on one database, a
// kill in the middle of a request, limits of the operating system, its memory.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class ServerProcess
{
public:
    // `binary` empty takes QUORVEL_SERVER_BINARY. An empty databaseUrl keeps SQLite in the folder.
    ServerProcess(const QString &storageFolder, const QString &databaseUrl,
                  const QString &binary = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    // More configuration, as "section/key" => value; before start().
    void set(const QString &key, const QString &value) { settings.insert(key, value); }
    // The largest file the process may write (RLIMIT_FSIZE), 0 for none; before start().
    void setFileSizeLimit(qint64 bytes) { fileSizeLimit = bytes; }

    // Starts the server and waits until it listens; false with `error` filled when it does not.
    bool start(QString *error);
    // SIGTERM and a wait for the end.
    void stop();
    // SIGKILL: the server gets no chance to tidy up.
    void kill();

    QString baseUrl() const;
    qint64 pid() const { return process.processId(); }
    QString output() const { return log; }

private:
    QString binaryPath;
    QString storage;
    QString database;
    QMap<QString, QString> settings;
    qint64 fileSizeLimit = 0;
    QTemporaryDir configFolder;
    QProcess process;
    QString log;
    quint16 port = 0;
};
