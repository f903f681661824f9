#include "muxer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString muxerProgramName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("ffmpeg.exe");
#else
    return QStringLiteral("ffmpeg");
#endif
}

QStringList muxerCandidates(const QString &appDir)
{
    const QString name = muxerProgramName();
    return {appDir + QLatin1Char('/') + name,
            appDir + QStringLiteral("/build_scripts/win_libs/") + name,
            QDir(appDir).absoluteFilePath(QStringLiteral("../../build_scripts/win_libs/") + name)};
}

QString findMuxer(const QString &appDir, const QStringList &pathDirs)
{
    for (const QString &candidate : muxerCandidates(appDir))
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
#ifdef Q_OS_WIN
    Q_UNUSED(pathDirs)
    return {};
#else
    return pathDirs.isEmpty() ? QString()
                              : QStandardPaths::findExecutable(muxerProgramName(), pathDirs);
#endif
}

QStringList systemPathDirs()
{
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

QStringList muxerArguments(const QString &editedPath, const QString &recordingPath,
                           const QString &outputPath)
{
    return {QStringLiteral("-y"),
            QStringLiteral("-i"),
            editedPath,
            QStringLiteral("-i"),
            recordingPath,
            QStringLiteral("-map"),
            QStringLiteral("0:v:0"),
            QStringLiteral("-map"),
            QStringLiteral("1:a:0?"),
            QStringLiteral("-c:v"),
            QStringLiteral("copy"),
            QStringLiteral("-c:a"),
            QStringLiteral("copy"),
            QStringLiteral("-shortest"),
            outputPath};
}

MuxerProcess::MuxerProcess(QObject *parent) : QObject(parent)
{
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, [this] { conclude(false); });
    connect(&process, &QProcess::finished, this, [this] { conclude(true); });
    // A program that cannot start fails within start(); the caller hears of it later, as of any
    // other outcome.
    connect(
        &process, &QProcess::errorOccurred, this,
        [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                conclude(false);
        },
        Qt::QueuedConnection);
}

MuxerProcess::~MuxerProcess()
{
    if (!running)
        return;
    process.disconnect(this);
    succeeded(false);
}

void MuxerProcess::start(const QString &program, const QString &editedPath,
                         const QString &recordingPath, const QString &outputPath, int timeoutMs)
{
    edited = editedPath;
    output = outputPath;
    running = true;
    timeout.start(timeoutMs);
    process.start(program, muxerArguments(editedPath, recordingPath, outputPath),
                  QIODevice::ReadWrite);
}

bool MuxerProcess::succeeded(bool inTime)
{
    if (!inTime && process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    const bool ok = inTime && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0 && QFileInfo::exists(output);
    QFile::remove(ok ? edited : output);
    return ok;
}

void MuxerProcess::conclude(bool inTime)
{
    if (!running)
        return;
    running = false;
    timeout.stop();
    const bool ok = succeeded(inTime);
    emit finished({ok ? output : edited, ok});
}
