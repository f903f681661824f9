#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// A PulseAudio server of the test's own whose default source is a 440 Hz sine tone. It lives
// in a private runtime folder and dies with the test, even when the test crashes.
class SineSoundServer
{
public:
    // Points this process, and programs it starts afterwards, at the server.
    bool start();
    void stop();
    ~SineSoundServer() { stop(); }

private:
    bool setDefaultSource();

    // The server's socket lies in this folder, and a socket path has room for about 100 bytes.
    QTemporaryDir runtime{
        (QDir::tempPath().size() > 60 ? QStringLiteral("/tmp") : QDir::tempPath()) +
        QStringLiteral("/pulse-XXXXXX")};
    QProcess server;
};
