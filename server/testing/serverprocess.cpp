#include "serverprocess.h"

#include "../../tests/support/childprocess.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSettings>

#include <sys/resource.h>

ServerProcess::ServerProcess(const QString &storageFolder, const QString &databaseUrl,
                             const QString &binary)
    : binaryPath(binary.isEmpty() ? qEnvironmentVariable("QUORVEL_SERVER_BINARY") : binary),
      storage(storageFolder), database(databaseUrl)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Read as it comes, so that a talkative server never blocks on a full pipe.
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [this] { log += QString::fromLocal8Bit(process.readAll()); });
}

ServerProcess::~ServerProcess()
{
    stop();
}

bool ServerProcess::start(QString *error)
{
    const QString path = configFolder.filePath(QStringLiteral("server.ini"));
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("server/listen"), QStringLiteral("127.0.0.1"));
        ini.setValue(QStringLiteral("server/port"), 0);
        ini.setValue(QStringLiteral("server/access_log"), false);
        ini.setValue(QStringLiteral("storage/folder"), storage);
        if (!database.isEmpty())
            ini.setValue(QStringLiteral("storage/database"), database);
        ini.setValue(QStringLiteral("accounts/password_iterations"), 10000);
        // Any key will do for a server that is asked for no OCR; set() gives the build's.
        ini.setValue(QStringLiteral("ocr/key"), QStringLiteral("not-the-key-of-any-build"));
        for (auto it = settings.cbegin(); it != settings.cend(); ++it)
            ini.setValue(it.key(), it.value());
    }
    const qint64 limit = fileSizeLimit;
    endWithThisProcess(process, [limit] {
        if (limit > 0) {
            const rlimit size{rlim_t(limit), rlim_t(limit)};
            setrlimit(RLIMIT_FSIZE, &size);
        }
    });
    log.clear();
    process.start(binaryPath, {QStringLiteral("--config"), path});
    if (!process.waitForStarted(10000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(binaryPath, process.errorString());
        return false;
    }
    static const QRegularExpression serving(QStringLiteral("serving HTTPS? on [^ ]+:(\\d+) "));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(200);
        const QRegularExpressionMatch match = serving.match(log);
        if (match.hasMatch()) {
            port = quint16(match.captured(1).toUInt());
            return true;
        }
    }
    *error = QStringLiteral("the server did not start: %1").arg(log.trimmed());
    kill();
    return false;
}

void ServerProcess::stop()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000))
        kill();
    log += QString::fromLocal8Bit(process.readAll());
}

void ServerProcess::kill()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(10000);
    log += QString::fromLocal8Bit(process.readAll());
}

QString ServerProcess::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}
