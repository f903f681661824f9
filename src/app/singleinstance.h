#pragma once

#include "desktoprequest.h"

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Keeps one running program per user. The first start listens on a socket in the user's runtime
// folder that only the user may use; a later start hands its request over that socket and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role
    {
        // Nobody else runs: this process listens now and receives the requests of later starts.
        Primary,
        // The running instance took the request; this process has nothing left to do.
        HandedOver,
        // Neither: the reason is in error().
        Failed,
    };

    // `folder` is where the socket lives: the user's runtime folder.
    explicit SingleInstance(const QString &folder, QObject *parent = nullptr);

    // Becomes the running instance, or hands `request` to the one that already runs.
    Role claim(const DesktopRequest &request);
    QString error() const { return failure; }

    QString socketPath() const;
    static QString runtimeFolder();

signals:
    void requestReceived(const DesktopRequest &request);

private:
    bool handOver(const DesktopRequest &request);
    bool removeStaleSocket();
    void serve(QLocalSocket *client);

    QString folder;
    QLocalServer *server = nullptr;
    QString failure;
};
