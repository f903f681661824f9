// quorvel-server under load on 127.0.0.1: uploads per second of a 500 KB PNG and file lists per
// second with their latency percentiles, measured by wrk, with SQLite and with PostgreSQL; then
// the server's peak memory while 20 clients upload 100 MB each at once.

#include "postgrescluster.h"
#include "serverprocess.h"
#include "serviceapi.h"
#include "uploadbody.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int WrkSeconds = 8;

QByteArray request(const QByteArray &method, const QString &url, const QByteArray &body = {},
                   const QByteArray &contentType = {})
{
    QNetworkAccessManager manager;
    QNetworkRequest message{QUrl(url, QUrl::TolerantMode)};
    if (!contentType.isEmpty())
        message.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    QNetworkReply *reply = manager.sendCustomRequest(message, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray answer = reply->readAll();
    delete reply;
    return answer;
}

// The query string of a logged-in account: lang, token and user_id.
QString logIn(const QString &base)
{
    const QString email = QStringLiteral("bench@example.org");
    request("POST", base + "/en/users/register/",
            "name=Bench&email=bench%40example.org&password=bench-pass&password2=bench-pass",
            "application/x-www-form-urlencoded");
    const QJsonObject reply =
        QJsonDocument::fromJson(
            request("GET", base + QStringLiteral("/login.php?email=%1&pass=%2&ver=260&os=x&"
                                                 "hostname=h&lang=en&uuid=%7Bb%7D")
                                      .arg(email, ServiceApi::passwordHash(email, "bench-pass"))))
            .object();
    return QStringLiteral("lang=en&token=%1&user_id=%2")
        .arg(reply.value("token").toString(), reply.value("user_id").toString());
}

// Noise does not compress: 409 x 409 RGB pixels make a PNG of about 500 KB.
QByteArray noisePng()
{
    QImage image(409, 409, QImage::Format_RGB888);
    QRandomGenerator random(5);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.bytesPerLine(); ++x)
            image.scanLine(y)[x] = uchar(random.bounded(256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct WrkFigures
{
    double perSecond = 0;
    QString percentiles;
    QString failures;
};

WrkFigures runWrk(const QString &url, int connections, const QString &script)
{
    QStringList arguments{"-t2", "-c" + QString::number(connections),
                          "-d" + QString::number(WrkSeconds) + "s", "--latency"};
    if (!script.isEmpty())
        arguments << "-s" << script;
    QProcess wrk;
    wrk.start(QStringLiteral("wrk"), arguments << url);
    wrk.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(wrk.readAllStandardOutput());
    WrkFigures figures;
    figures.perSecond =
        QRegularExpression("Requests/sec:\\s+([0-9.]+)").match(output).captured(1).toDouble();
    QStringList parts;
    QRegularExpressionMatchIterator lines =
        QRegularExpression("^\\s+(50|90|99)%\\s+(\\S+)$", QRegularExpression::MultilineOption)
            .globalMatch(output);
    while (lines.hasNext()) {
        const QRegularExpressionMatch line = lines.next();
        parts << QStringLiteral("p%1 %2").arg(line.captured(1), line.captured(2));
    }
    figures.percentiles = parts.join(", ");
    const QRegularExpressionMatch errors =
        QRegularExpression("(Non-2xx or 3xx responses: \\d+|Socket errors:[^\\n]+)").match(output);
    figures.failures = errors.hasMatch() ? errors.captured(1) : QString();
    if (figures.perSecond == 0)
        figures.failures = output.trimmed();
    return figures;
}

void print(const char *what, const char *store, int connections, const WrkFigures &figures)
{
    std::printf("%-22s %-10s %2d connections: %8.1f requests/s   %s%s%s\n", what, store,
                connections, figures.perSecond, qPrintable(figures.percentiles),
                figures.failures.isEmpty() ? "" : "   ", qPrintable(figures.failures));
}

bool measureThroughput(const char *store, const QString &databaseUrl, const QTemporaryDir &work)
{
    QTemporaryDir storage;
    ServerProcess server(storage.path(), databaseUrl, QStringLiteral(QUORVEL_SERVER_BINARY));
    server.set(QStringLiteral("limits/requests_per_minute_per_address"), QStringLiteral("0"));
    server.set(QStringLiteral("limits/requests_per_minute_per_token"), QStringLiteral("0"));
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "bench_server: %s\n", qPrintable(error));
        return false;
    }
    const QString account = logIn(server.baseUrl());
    const QString body = work.filePath(QStringLiteral("upload.body"));
    const QByteArray png = noisePng();
    writeFile(body,
              UploadBody::build(QStringLiteral("shot.png"), QStringLiteral("image/png"), png));
    const QString script = work.filePath(QStringLiteral("upload.lua"));
    writeFile(script, "wrk.method = \"POST\"\n"
                      "local f = io.open(\"" +
                          body.toUtf8() +
                          "\", \"rb\")\n"
                          "wrk.body = f:read(\"*a\")\n"
                          "f:close()\n"
                          "wrk.headers[\"Content-Type\"] = \"" +
                          UploadBody::contentType() + "\"\n");
    std::printf("%s: %lld byte PNG, server with one thread per core, wrk for %d s per line\n",
                store, qint64(png.size()), WrkSeconds);
    print("upload 500 KB PNG", store, 8,
          runWrk(server.baseUrl() + "/upload.php?uuid=%7Bb%7D&ver=260&" + account, 8, script));
    print("list last 100 files", store, 16,
          runWrk(server.baseUrl() + "/get_last_user_files.php?" + account, 16, {}));
    return true;
}

qint64 statusKilobytes(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    return QRegularExpression(QLatin1String(field) + ":\\s+(\\d+) kB")
        .match(text)
        .captured(1)
        .toLongLong();
}

// One client streaming a body file to the server in pieces, as a real upload arrives.
class StreamingUpload : public QObject
{
public:
    StreamingUpload(const QString &host, quint16 port, const QString &target,
                    const QString &bodyPath)
        : body(bodyPath)
    {
        body.open(QIODevice::ReadOnly);
        connect(&socket, &QTcpSocket::connected, this, [this, host, target] {
            socket.write("POST " + target.toUtf8() + " HTTP/1.1\r\nHost: " + host.toUtf8() +
                         "\r\nContent-Type: " + UploadBody::contentType() + "\r\nContent-Length: " +
                         QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n");
            feed();
        });
        connect(&socket, &QTcpSocket::bytesWritten, this, &StreamingUpload::feed);
        connect(&socket, &QTcpSocket::readyRead, this, [this] { answer += socket.readAll(); });
        connect(&socket, &QTcpSocket::disconnected, this, [this] { done = true; });
        socket.connectToHost(host, port);
    }

    bool done = false;
    QByteArray answer;

private:
    void feed()
    {
        while (socket.bytesToWrite() < (1 << 20) && !body.atEnd())
            socket.write(body.read(256 * 1024));
    }

    QFile body;
    QTcpSocket socket;
};

bool measureParallelUploads(const QTemporaryDir &work)
{
    constexpr int Clients = 20;
    constexpr qint64 Size = 100LL << 20;
    QTemporaryDir storage;
    ServerProcess server(storage.path(), {}, QStringLiteral(QUORVEL_SERVER_BINARY));
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "bench_server: %s\n", qPrintable(error));
        return false;
    }
    const QString account = logIn(server.baseUrl());
    const qint64 idle = statusKilobytes(server.pid(), "VmRSS");

    const QString body = work.filePath(QStringLiteral("large.body"));
    {
        QByteArray content(Size, Qt::Uninitialized);
        QRandomGenerator(9).fillRange(reinterpret_cast<quint32 *>(content.data()),
                                      content.size() / 4);
        if (!writeFile(body,
                       UploadBody::build(QStringLiteral("large.bin"),
                                         QStringLiteral("application/octet-stream"), content)))
            return false;
    }
    const QUrl base(server.baseUrl());
    std::vector<std::unique_ptr<StreamingUpload>> uploads;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Clients; ++i)
        uploads.push_back(
            std::make_unique<StreamingUpload>(base.host(), quint16(base.port()),
                                              "/upload.php?uuid=%7Bb%7D&ver=260&" + account, body));
    qint64 peakRss = idle;
    while (clock.elapsed() < 600000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        peakRss = qMax(peakRss, statusKilobytes(server.pid(), "VmRSS"));
        if (std::all_of(uploads.begin(), uploads.end(), [](const auto &u) { return u->done; }))
            break;
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    const int stored = int(std::count_if(uploads.begin(), uploads.end(), [](const auto &u) {
        return u->answer.contains("\"success\":\"true\"");
    }));
    std::printf("%d parallel uploads of 100 MB (SQLite): %d stored in %.1f s (%.0f MB/s); server "
                "memory idle %.1f MB, peak %.1f MB (VmHWM %.1f MB)\n",
                Clients, stored, seconds, Clients * 100 / seconds, idle / 1024.0, peakRss / 1024.0,
                statusKilobytes(server.pid(), "VmHWM") / 1024.0);
    return stored == Clients;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (QStandardPaths::findExecutable(QStringLiteral("wrk")).isEmpty()) {
        std::fprintf(stderr, "bench_server: wrk is missing: run scripts/setup --bench\n");
        return 1;
    }
    QTemporaryDir work;
    bool ok = measureThroughput("SQLite", {}, work);
    PostgresCluster cluster;
    QString error;
    if (PostgresCluster::programFolder().isEmpty()) {
        std::printf("PostgreSQL: not installed, not measured\n");
    } else if (!cluster.start(&error)) {
        std::fprintf(stderr, "bench_server: %s\n", qPrintable(error));
        ok = false;
    } else {
        const QString url = cluster.newDatabase(&error);
        ok = !url.isEmpty() && measureThroughput("PostgreSQL", url, work) && ok;
    }
    ok = measureParallelUploads(work) && ok;
    return ok ? 0 : 1;
}
