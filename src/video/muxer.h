#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

// The outside program that copies the unedited recording's audio into the edited video.
constexpr int muxerTimeoutMs = 120000;

// "ffmpeg.exe" on Windows, "ffmpeg" elsewhere.
QString muxerProgramName();
// The places looked at before PATH, in order: beside the program, its build_scripts/win_libs
// folder, and that folder two levels up (a build folder inside the source tree).
QStringList muxerCandidates(const QString &appDir);
// The first candidate that is a file, then (not on Windows) the program found in pathDirs;
// empty when there is none.
QString findMuxer(const QString &appDir, const QStringList &pathDirs);
// The folders of PATH.
QStringList systemPathDirs();

// Video stream 0 of the edited file, the optional first audio stream of the recording, both
// copied, cut to the shorter one, the output overwritten.
QStringList muxerArguments(const QString &editedPath, const QString &recordingPath,
                           const QString &outputPath);

struct MuxResult
{
    QString path;
    bool hasAudio = false;
};

// Puts the recording's audio into the edited video without blocking the caller's thread. On
// success, a run that finished in time, exited normally with code 0 and left the output, the
// edited file is removed and the output is the result; otherwise (no program, a failed run, or
// one past the time limit, which is killed) the output is removed and the edited file is the
// result. finished() reports it once, from the event loop. Destroyed while the program runs, it
// kills it and removes the output.
class MuxerProcess : public QObject
{
    Q_OBJECT
public:
    explicit MuxerProcess(QObject *parent = nullptr);
    ~MuxerProcess() override;

    void start(const QString &program, const QString &editedPath, const QString &recordingPath,
               const QString &outputPath, int timeoutMs = muxerTimeoutMs);

signals:
    void finished(const MuxResult &result);

private:
    void conclude(bool inTime);
    bool succeeded(bool inTime);

    QProcess process;
    QTimer timeout;
    QString edited;
    QString output;
    bool running = false;
};
