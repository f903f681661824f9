#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int AnswerTimeoutMs = 5000;
// A request is one short line; a client that sends more is not one of us.
constexpr qint64 LongestRequest = 64 * 1024;
const QByteArray Accepted = QByteArrayLiteral("ok\n");
const QByteArray Refused = QByteArrayLiteral("refused\n");

// Only a socket of the user's own is spoken to or removed: anything else in its place was not
// left there by this program.
bool isOwnSocket(const QFileInfo &info)
{
    if (info.isSymLink() || info.isFile() || info.isDir())
        return false;
#ifdef Q_OS_UNIX
    return info.ownerId() == ::getuid();
#else
    return true;
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent), folder(folder)
{
}

QString SingleInstance::runtimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString SingleInstance::socketPath() const
{
    return QDir(folder).filePath(QStringLiteral("quorvel.socket"));
}

SingleInstance::Role SingleInstance::claim(const DesktopRequest &request)
{
    failure.clear();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        failure = tr("There is no runtime folder to meet other starts of Quorvel in.");
        return Role::Failed;
    }
    // Two starts at the same moment would both find no one listening and both take the socket;
    // the lock lets one look and listen before the other looks.
    QLockFile guard(QDir(folder).filePath(QStringLiteral("quorvel.lock")));
    if (!guard.tryLock(AnswerTimeoutMs)) {
        failure = tr("Another start of Quorvel holds %1.").arg(guard.fileName());
        return Role::Failed;
    }

    const QFileInfo existing(socketPath());
    if (existing.exists() || existing.isSymLink()) {
        if (!isOwnSocket(existing)) {
            failure = tr("%1 is in the way and was not made by Quorvel.").arg(socketPath());
            return Role::Failed;
        }
        if (handOver(request))
            return Role::HandedOver;
        if (!failure.isEmpty())
            return Role::Failed;
        if (!removeStaleSocket())
            return Role::Failed;
    }

    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = server->nextPendingConnection())
            serve(client);
    });
    if (!server->listen(socketPath())) {
        failure = tr("Cannot listen on %1: %2").arg(socketPath(), server->errorString());
        return Role::Failed;
    }
    return Role::Primary;
}

// False with no failure set when nobody listens: the socket is a crashed instance's leftover.
bool SingleInstance::handOver(const DesktopRequest &request)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(AnswerTimeoutMs)) {
        // Refused is what a socket file left behind by a crash answers; anything else is a fault.
        if (socket.error() != QLocalSocket::ConnectionRefusedError)
            failure = tr("Cannot reach the running Quorvel: %1").arg(socket.errorString());
        return false;
    }
    socket.write(request.encode());
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(AnswerTimeoutMs))
        answer += socket.readAll();
    if (answer == Accepted)
        return true;
    failure = answer.isEmpty() ? tr("Quorvel is running but does not answer.")
                               : tr("The running Quorvel refused the request.");
    return false;
}

bool SingleInstance::removeStaleSocket()
{
    if (QFile::remove(socketPath()))
        return true;
    failure = tr("Cannot remove the stale socket %1.").arg(socketPath());
    return false;
}

void SingleInstance::serve(QLocalSocket *client)
{
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (!client->canReadLine()) {
            if (client->bytesAvailable() > LongestRequest) {
                client->write(Refused);
                client->disconnectFromServer();
            }
            return;
        }
        const std::optional<DesktopRequest> request = DesktopRequest::decode(client->readLine());
        // The answer goes before the work: an action may open a modal dialog, and the start that
        // asked should not wait for the user to close it.
        client->write(request ? Accepted : Refused);
        client->flush();
        client->disconnectFromServer();
        if (request)
            emit requestReceived(*request);
    });
}
