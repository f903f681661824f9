#include "mediaprobe.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QByteArray run(const QString &program, const QStringList &arguments, QByteArray *log = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    if (log)
        *log = process.readAllStandardError();
    return process.readAllStandardOutput();
}

} // namespace

QJsonObject probeMedia(const QString &path)
{
    return QJsonDocument::fromJson(run("ffprobe", {"-v", "error", "-show_streams", "-show_format",
                                                   "-of", "json", path}))
        .object();
}

QJsonObject mediaStream(const QJsonObject &probe, const QString &type)
{
    for (const QJsonValue stream : probe.value("streams").toArray())
        if (stream.toObject().value("codec_type").toString() == type)
            return stream.toObject();
    return {};
}

QList<double> videoFrameTimes(const QString &path)
{
    QList<double> times;
    const QByteArray csv = run("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                           "frame=pts_time", "-of", "csv=p=0", path});
    for (const QByteArray &line : csv.split('\n'))
        if (!line.trimmed().isEmpty())
            times.append(line.trimmed().toDouble());
    return times;
}

QImage firstVideoFrame(const QString &path)
{
    QImage frame;
    frame.loadFromData(run("ffmpeg", {"-v", "error", "-i", path, "-frames:v", "1", "-f",
                                      "image2pipe", "-vcodec", "png", "-"}),
                       "PNG");
    return frame;
}

QList<QImage> videoFrames(const QString &path)
{
    QTemporaryDir folder;
    run("ffmpeg",
        {"-v", "error", "-i", path, "-fps_mode", "passthrough", folder.filePath("frame%05d.png")});
    QList<QImage> frames;
    for (const QString &name :
         QDir(folder.path()).entryList({"frame*.png"}, QDir::Files, QDir::Name))
        frames.append(QImage(folder.filePath(name)));
    return frames;
}

QString ffmpegLog(const QStringList &arguments)
{
    QByteArray log;
    run("ffmpeg", QStringList{"-hide_banner", "-nostats"} + arguments, &log);
    return QString::fromUtf8(log);
}

double audioLevelDb(const QString &path, const QString &filter, const QString &measure)
{
    const QString log = ffmpegLog({"-i", path, "-map", "0:a", "-af",
                                   filter + ",astats=measure_perchannel=none", "-f", "null", "-"});
    const QRegularExpressionMatch match =
        QRegularExpression(QRegularExpression::escape(measure) + R"(:\s*(-?[\d.]+))").match(log);
    return match.hasMatch() ? match.captured(1).toDouble() : -200;
}
