#pragma once

#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Reading written media back with the ffmpeg command-line tools.

// ffprobe's streams and format of the file; empty when it cannot be read.
QJsonObject probeMedia(const QString &path);
// The first stream of that type ("video", "audio"), or an empty object.
QJsonObject mediaStream(const QJsonObject &probe, const QString &type);
// Presentation times in seconds of the video frames.
QList<double> videoFrameTimes(const QString &path);
// The first video frame, decoded.
QImage firstVideoFrame(const QString &path);
// Every video frame as stored (none repeated or dropped), decoded.
QList<QImage> videoFrames(const QString &path);
// A level of the file's audio after the filter as astats measures it ("RMS level dB", "Peak level
// dB"); -200 for silence or when there is no audio.
double audioLevelDb(const QString &path, const QString &filter, const QString &measure);
// Runs ffmpeg and returns what it logged; empty when it failed.
QString ffmpegLog(const QStringList &arguments);
