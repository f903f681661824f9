#include "sinesoundserver.h"

#include "../support/childprocess.h"

#include <QtTest>

bool SineSoundServer::start()
{
    if (!runtime.isValid())
        return false;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.remove("PULSE_SERVER");
    server.setProcessEnvironment(environment);
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    endWithThisProcess(server);
    server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "-L",
                                "module-native-protocol-unix", "-L", "module-null-sink", "-L",
                                "module-sine-source frequency=440"});
    if (!server.waitForStarted())
        return false;
    // Clients of this process talk to this server only and never spawn one of their own.
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("PULSE_SERVER", ("unix:" + runtime.filePath("pulse/native")).toLocal8Bit());
    return QTest::qWaitFor([&] { return setDefaultSource(); }, 10000);
}

void SineSoundServer::stop()
{
    if (server.state() == QProcess::NotRunning)
        return;
    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished();
    }
}

bool SineSoundServer::setDefaultSource()
{
    QProcess pactl;
    pactl.start("pactl", {"set-default-source", "sine_input"});
    return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit &&
           pactl.exitCode() == 0;
}
