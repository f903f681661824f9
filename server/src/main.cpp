// quorvel-server: reads its configuration, opens the database and the storage folder, and serves
// until SIGINT or SIGTERM.

#include "filestore.h"
#include "httpserver.h"
#include "recognizer.h"
#include "serverconfig.h"
#include "service.h"
#include "sqlstore.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "quorvel-server: %s\n", qPrintable(message));
    return 1;
}

QString configPath(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--config"));
    return at >= 0 ? arguments.value(at + 1) : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    // One recognition per worker thread; Tesseract's own threads would only compete with them.
    setenv("OMP_THREAD_LIMIT", "1", 0);
    // Avatars are drawn with fonts, which need a GUI application but never a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(ServerConfig::helpText()), stdout);
        return 0;
    }
    const QString path = configPath(arguments);
    if (path.isEmpty()) {
        std::fputs(qPrintable(ServerConfig::helpText()), stderr);
        return 2;
    }
    ServerConfig config;
    QString error;
    if (!config.load(path, &error))
        return fail(error);

    // A picture's decoded size is checked before decoding; this catches what the header hides.
    QImageReader::setAllocationLimit(int(config.maxImagePixels * 4 / (1024 * 1024)) + 1);
    FileStore files(config.storageFolder);
    if (!files.prepare(&error))
        return fail(error);
    SqlStore store(config.databaseUrl, QDir(config.storageFolder).filePath("quorvel.db"));
    if (!store.open(&error))
        return fail(QStringLiteral("database: ") + error);
    Recognizer recognizer(config.ocrDataFolder, config.ocrLanguages);
    if (!recognizer.check(&error))
        return fail(error);

    Service service({config, store, files, recognizer});
    HttpServer server(config, service, files);
    // Blocked before the threads start, so only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN); // a file size limit then fails the write instead of killing
    if (!server.start(&error))
        return fail(QStringLiteral("cannot listen on %1:%2: %3")
                        .arg(config.listenAddress)
                        .arg(config.port)
                        .arg(error));
    std::fprintf(stderr, "quorvel-server: serving %s on %s:%u with %s storage in %s\n",
                 config.usesTls() ? "HTTPS" : "HTTP", qPrintable(config.listenAddress),
                 unsigned(server.port()), store.isPostgres() ? "PostgreSQL" : "SQLite",
                 qPrintable(QDir(config.storageFolder).absolutePath()));
    int received = 0;
    sigwait(&stopSignals, &received);
    std::fprintf(stderr, "quorvel-server: stopping\n");
    server.stop();
    return 0;
}
