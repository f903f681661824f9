#include "videoexport.h"

#include "annotationbake.h"
#include "backgroundworker.h"
#include "gifencoder.h"
#include "mp4recorder.h"
#include "recordinglimits.h"
#include "soundmuxer.h"
#include "videotempfile.h"

#include <QDebug>
#include <QFile>
#include <QPointer>

VideoExport::VideoExport(BackgroundWorker &worker, std::function<QString()> muxerProgram,
                         QObject *parent)
    : QObject(parent), worker(worker), muxerProgram(std::move(muxerProgram)),
      recorder(new Mp4Recorder(this))
{
    connect(recorder, &Mp4Recorder::errorOccurred, this, [](const QString &error) {
        qWarning().noquote() << "Audio/video recorder error:" << error;
    });
    connect(recorder, &Mp4Recorder::recorderStateChanged, this,
            [this](Mp4Recorder::RecorderState state) {
                if (state == Mp4Recorder::StoppedState && writing)
                    finishWriting();
            });
    connect(recorder, &Mp4Recorder::readyToSendVideoFrame, this, &VideoExport::pumpFrames);
}

VideoExport::~VideoExport()
{
    // The MP4 file is complete once its recorder is gone; only then can it be removed.
    delete recorder;
    delete muxerRun;
    if (!writtenPath.isEmpty())
        QFile::remove(writtenPath);
}

bool VideoExport::bake(const AnnotationBake &bake, int fps, bool mp4)
{
    const int delay = RecordingLimits::gifDelay(fps);
    const QPointer<VideoExport> self(this);
    return worker.start([bake, delay, mp4, self](const BackgroundWorker::Job &job) {
        const FrameStore::Snapshot baked = bake.run(
            [&job](qsizetype done, qsizetype count) {
                job.progress(int(25 * done / std::max<qsizetype>(1, count)));
            },
            [&job] { return job.stopRequested(); });
        if (job.stopRequested())
            return;
        if (mp4) {
            job.deliver([self, baked] {
                if (self)
                    emit self->framesBaked(baked);
            });
            return;
        }
        const QByteArray gif = encodeStoredGif(
            baked, delay, [&job](int percent) { job.progress(25 + percent * 75 / 100); },
            {0, [&job] { return job.stopRequested(); }});
        job.deliver([self, gif] {
            if (self)
                emit self->gifBaked(gif);
        });
    });
}

bool VideoExport::writeMp4(FrameStore::Snapshot frames, int fps, const QSize &size,
                           const QString &recordingWithSound)
{
    if (writing || muxerRun)
        return false;
    if (frames.isEmpty()) {
        emit mp4Failed();
        return true;
    }
    feed = ExportFrameFeed(std::move(frames), fps);
    writtenPath = VideoTempFile::newPath("/videostream_edited%1.mp4");
    soundSource = recordingWithSound;
    writing = true;
    Mp4Recorder::Settings settings;
    settings.location = writtenPath;
    settings.resolution = size;
    settings.frameRate = fps;
    settings.audio = false;
    // A file that never opened reports no stopped state: the export ends here.
    if (!recorder->start(settings)) {
        finishWriting();
        return true;
    }
    pumpFrames();
    return true;
}

void VideoExport::pumpFrames()
{
    if (!writing || recorder->recorderState() != Mp4Recorder::RecordingState)
        return;
    const bool allSent = feed.sendTo(*recorder);
    emit progressed(int(feed.sentCount() * 100 / feed.count()));
    if (allSent)
        recorder->stop();
}

void VideoExport::finishWriting()
{
    writing = false;
    feed = {};
    const QString written = std::exchange(writtenPath, QString());
    if (!QFile::exists(written)) {
        emit mp4Failed();
        return;
    }
    if (soundSource.isEmpty() || !QFile::exists(soundSource)) {
        emit mp4Written({written, false});
        return;
    }
    writtenPath = written;
    muxerRun = new SoundMuxer(this);
    connect(muxerRun, &SoundMuxer::finished, this, [this](const MuxResult &result) {
        muxerRun->deleteLater();
        muxerRun = nullptr;
        writtenPath.clear();
        emit mp4Written(result);
    });
    emit muxingStarted();
    muxerRun->start(muxerProgram(), written, soundSource,
                    VideoTempFile::newPath("/videostream_muxed%1.mp4"));
}
