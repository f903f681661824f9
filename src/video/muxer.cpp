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

bool runMuxer(const QString &program, const QStringList &arguments, const QString &outputPath,
              int timeoutMs)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadWrite);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished && process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    const bool ok = finished && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0 && QFileInfo::exists(outputPath);
    if (!ok)
        QFile::remove(outputPath);
    return ok;
}

MuxResult muxRecordingAudio(const QString &program, const QString &editedPath,
                            const QString &recordingPath, const QString &outputPath, int timeoutMs)
{
    if (program.isEmpty() ||
        !runMuxer(program, muxerArguments(editedPath, recordingPath, outputPath), outputPath,
                  timeoutMs))
        return {editedPath, false};
    QFile::remove(editedPath);
    return {outputPath, true};
}
