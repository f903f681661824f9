#include "postgrescluster.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUuid>

#include <csignal>
#include <unistd.h>

namespace {

const char User[] = "quorvel";

bool asRoot()
{
    return geteuid() == 0;
}

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

PostgresCluster::~PostgresCluster()
{
    stop();
}

QString PostgresCluster::programFolder()
{
    // Debian installs each major version side by side; the newest one wins.
    QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                               .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(versions.begin(), versions.end(),
              [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &version : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
        if (QFile::exists(bin + QStringLiteral("/initdb")) &&
            QFile::exists(bin + QStringLiteral("/postgres")))
            return bin;
    }
    return {};
}

// setpriv runs the program in its own place, as nobody where we are root, and has it killed
// when this process ends: set after the change of user, which would clear it.
void PostgresCluster::startProgram(QProcess &process, const QString &program,
                                   const QStringList &arguments)
{
    QStringList asUser{QStringLiteral("--pdeathsig=KILL")};
    if (asRoot())
        asUser << QStringLiteral("--reuid=nobody") << QStringLiteral("--regid=nogroup")
               << QStringLiteral("--clear-groups");
    process.start(
        QStringLiteral("setpriv"),
        asUser + QStringList{QStringLiteral("--"), programFolder() + QLatin1Char('/') + program} +
            arguments);
}

bool PostgresCluster::run(const QString &program, const QStringList &arguments,
                          QString *error) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    startProgram(process, program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = QStringLiteral("%1 failed: %2").arg(program, process.readAll().trimmed());
        return false;
    }
    return true;
}

bool PostgresCluster::start(QString *error)
{
    if (programFolder().isEmpty()) {
        *error = QStringLiteral("PostgreSQL is not installed (no initdb and postgres under "
                                "/usr/lib/postgresql/*/bin)");
        return false;
    }
    // As root the cluster runs as nobody, which must reach its folder: the shared /tmp lets it,
    // a test's own temporary folder may not.
    const QString base = asRoot() ? QStringLiteral("/tmp") : QDir::tempPath();
    folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/quorvel-pg-XXXXXX"));
    if (!folder->isValid() ||
        (asRoot() && chown(QFile::encodeName(folder->path()).constData(), 65534, 65534) != 0)) {
        *error = QStringLiteral("cannot make a folder for the cluster in %1").arg(base);
        return false;
    }
    dataFolder = folder->filePath(QStringLiteral("data"));
    port = freeLoopbackPort();
    if (!run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), dataFolder, QStringLiteral("-U"), QLatin1String(User),
              QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
              QStringLiteral("UTF8"), QStringLiteral("--no-sync")},
             error))
        return false;
    // The server runs as this object's child rather than a daemon, so that it cannot outlive
    // the process that started it.
    server.setStandardOutputFile(folder->filePath(QStringLiteral("log")));
    server.setStandardErrorFile(folder->filePath(QStringLiteral("log")), QIODevice::Append);
    startProgram(server, QStringLiteral("postgres"),
                 {QStringLiteral("-D"), dataFolder, QStringLiteral("-p"), QString::number(port),
                  QStringLiteral("-k"), folder->path(), QStringLiteral("-c"),
                  QStringLiteral("listen_addresses=127.0.0.1"), QStringLiteral("-c"),
                  QStringLiteral("fsync=off"), QStringLiteral("-c"),
                  QStringLiteral("synchronous_commit=off"), QStringLiteral("-c"),
                  QStringLiteral("full_page_writes=off")});
    QElapsedTimer clock;
    clock.start();
    while (server.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
        if (acceptsConnections())
            return true;
        server.waitForFinished(100);
    }
    QFile log(folder->filePath(QStringLiteral("log")));
    log.open(QIODevice::ReadOnly);
    *error = QStringLiteral("postgres did not start: %1").arg(log.readAll().trimmed());
    stop();
    return false;
}

bool PostgresCluster::acceptsConnections() const
{
    const QString connection = QUuid::createUuid().toString();
    bool open = false;
    {
        QSqlDatabase probe = adminConnection(connection);
        open = probe.open();
    }
    QSqlDatabase::removeDatabase(connection);
    return open;
}

QSqlDatabase PostgresCluster::adminConnection(const QString &name) const
{
    QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    admin.setHostName(QStringLiteral("127.0.0.1"));
    admin.setPort(port);
    admin.setUserName(QLatin1String(User));
    admin.setDatabaseName(QStringLiteral("postgres"));
    return admin;
}

void PostgresCluster::stop()
{
    if (server.state() == QProcess::NotRunning)
        return;
    // Immediate shutdown: the data is thrown away with the folder anyway.
    ::kill(pid_t(server.processId()), SIGQUIT);
    if (!server.waitForFinished(10000)) {
        server.kill();
        server.waitForFinished(5000);
    }
}

QString PostgresCluster::newDatabase(QString *error)
{
    const QString name = QStringLiteral("quorvel_%1").arg(++databases);
    const QString connection = QUuid::createUuid().toString();
    bool created = false;
    {
        QSqlDatabase admin = adminConnection(connection);
        if (admin.open()) {
            QSqlQuery create(admin);
            created = create.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
            *error = create.lastError().text();
        } else {
            *error = admin.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!created)
        return {};
    return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3")
        .arg(QLatin1String(User))
        .arg(port)
        .arg(name);
}
