#pragma once

#include <QAudioFormat>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

// Writes one MP4 file: H.264 (libx264) video and, when an audio format is given, an AAC track.
// Not thread-aware: one thread drives an encoder from open() to finish().
//
// Odd widths and heights are made even by cropping the last column or row: libx264 refuses odd
// sizes, and losing one edge pixel of a screen area is less visible than a black padding line.
// Frames of another size than the video's (a grab on a scaled display) are scaled to it.
class Mp4Encoder
{
public:
    struct Options
    {
        QString path;
        QSize size;
        int frameRate = 25;
        // Format of the PCM that writeAudio() receives; an invalid format writes no audio track.
        QAudioFormat audioFormat;
    };

    Mp4Encoder();
    ~Mp4Encoder();
    Mp4Encoder(const Mp4Encoder &) = delete;
    Mp4Encoder &operator=(const Mp4Encoder &) = delete;

    bool open(const Options &options);
    // timestampUs counts from the start of the recording. The frame takes the frame slot nearest
    // to it; a frame that would land a whole slot after its time because the slot is taken comes
    // too early after the previous one and is dropped.
    bool writeVideo(const QImage &frame, qint64 timestampUs);
    // startUs is the time of the first sample; a gap before it is filled with silence, so the
    // track stays in step with the video's time 0 when the device starts late or stalls.
    bool writeAudio(const QByteArray &pcm, qint64 startUs);
    // Flushes both encoders and completes the file; the audio track is filled with silence to the
    // end of the last frame. A file that failed at any point is removed.
    bool finish();

    bool hasAudio() const;
    int droppedFrames() const;
    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
