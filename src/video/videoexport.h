#pragma once

#include "exportframefeed.h"
#include "framestore.h"
#include "muxer.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>

class AnnotationBake;
class BackgroundWorker;
class Mp4Recorder;
class SoundMuxer;

// Turns an edited recording into a new file: the annotations are baked into copies of the frames
// on the worker; a GIF is then encoded there as well, while the baked frames of an MP4 are written
// as a new, silent video at the frame rate that gets the recording's audio put in. It reports
// progress and what it made by signals; the files are the caller's from then on.
class VideoExport : public QObject
{
    Q_OBJECT

public:
    // `muxerProgram` names the outside muxer, tried first; empty when there is none.
    VideoExport(BackgroundWorker &worker, std::function<QString()> muxerProgram,
                QObject *parent = nullptr);
    // A video still being written or muxed is stopped and its files removed.
    ~VideoExport() override;

    // Starts the bake on the worker; false while the worker is busy. Reports gifBaked() or,
    // for an MP4, framesBaked(); nothing when the worker goes first.
    bool bake(const AnnotationBake &bake, int fps, bool mp4);
    // Writes the frames as an MP4 of the recorded size. With a recording that has sound, its
    // audio is muxed in. Reports mp4Written() or, without frames or when no file came of it,
    // mp4Failed(), which may come before this returns. Refused (false) while another MP4 is written
    // or muxed.
    bool writeMp4(FrameStore::Snapshot frames, int fps, const QSize &size,
                  const QString &recordingWithSound);

    bool isWritingMp4() const { return writing; }
    bool isMuxing() const { return muxerRun != nullptr; }

signals:
    // The share of the MP4's frames written, in percent.
    void progressed(int percent);
    // The muxer runs; it may take up to its time limit.
    void muxingStarted();
    // Empty when the encoder failed.
    void gifBaked(QByteArray gif);
    void framesBaked(FrameStore::Snapshot frames);
    void mp4Written(const MuxResult &result);
    void mp4Failed();

private:
    void pumpFrames();
    void finishWriting();

    BackgroundWorker &worker;
    std::function<QString()> muxerProgram;
    Mp4Recorder *recorder;
    bool writing = false;
    ExportFrameFeed feed;
    // The written video until it is reported: removed when the export goes first.
    QString writtenPath;
    QString soundSource;
    SoundMuxer *muxerRun = nullptr;
};
