#include "postgrescluster.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUuid>

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
            QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

bool PostgresCluster::run(const QString &program, const QStringList &arguments,
                          QString *error) const
{
    const QString path = programFolder() + QLatin1Char('/') + program;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (asRoot())
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                  QStringLiteral("--"), path} +
                          arguments);
    else
        process.start(path, arguments);
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
        *error = QStringLiteral("PostgreSQL is not installed (no initdb and pg_ctl under "
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
    const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                           "-c synchronous_commit=off -c full_page_writes=off")
                                .arg(port)
                                .arg(folder->path());
    running = run(QStringLiteral("initdb"),
                  {QStringLiteral("-D"), dataFolder, QStringLiteral("-U"), QLatin1String(User),
                   QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"),
                   QStringLiteral("UTF8"), QStringLiteral("--no-sync")},
                  error) &&
              run(QStringLiteral("pg_ctl"),
                  {QStringLiteral("-D"), dataFolder, QStringLiteral("-o"), options,
                   QStringLiteral("-l"), folder->filePath(QStringLiteral("log")),
                   QStringLiteral("-w"), QStringLiteral("start")},
                  error);
    return running;
}

void PostgresCluster::stop()
{
    if (!running)
        return;
    QString ignored;
    run(QStringLiteral("pg_ctl"),
        {QStringLiteral("-D"), dataFolder, QStringLiteral("-m"), QStringLiteral("immediate"),
         QStringLiteral("-w"), QStringLiteral("stop")},
        &ignored);
    running = false;
}

QString PostgresCluster::newDatabase(QString *error)
{
    const QString name = QStringLiteral("quorvel_%1").arg(++databases);
    const QString connection = QUuid::createUuid().toString();
    bool created = false;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        admin.setHostName(QStringLiteral("127.0.0.1"));
        admin.setPort(port);
        admin.setUserName(QLatin1String(User));
        admin.setDatabaseName(QStringLiteral("postgres"));
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
