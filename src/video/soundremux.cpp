#include "soundremux.h"

#include "avsupport.h"

#include <QFile>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// One input file and the stream taken from it, read packet by packet.
struct Input
{
    AVFormatContext *context = nullptr;
    AVStream *stream = nullptr;
    PacketPtr packet{av_packet_alloc()};
    bool ended = false;

    ~Input() { avformat_close_input(&context); }

    QString open(const QString &path, AVMediaType type)
    {
        const QByteArray url = avFileUrl(path);
        int result = avformat_open_input(&context, url.constData(), nullptr, nullptr);
        if (result < 0)
            return QStringLiteral("Could not open %1: %2").arg(path, avError(result));
        result = avformat_find_stream_info(context, nullptr);
        if (result < 0)
            return QStringLiteral("Could not read %1: %2").arg(path, avError(result));
        for (unsigned i = 0; i < context->nb_streams && !stream; ++i)
            if (context->streams[i]->codecpar->codec_type == type)
                stream = context->streams[i];
        if (!stream)
            return QStringLiteral("%1 has no %2 stream")
                .arg(path, QLatin1String(av_get_media_type_string(type)));
        return packet ? QString() : QStringLiteral("Out of memory");
    }

    // The next packet of the stream into `packet`, or `ended`.
    QString readNext()
    {
        for (;;) {
            const int result = av_read_frame(context, packet.get());
            if (result == AVERROR_EOF) {
                ended = true;
                return {};
            }
            if (result < 0)
                return QStringLiteral("Could not read a packet: %1").arg(avError(result));
            if (packet->stream_index == stream->index)
                return {};
            av_packet_unref(packet.get());
        }
    }

    int64_t decodeTime() const { return packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts; }

    // Where the stream ends, in its own time base.
    int64_t endTime() const
    {
        const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        if (stream->duration != AV_NOPTS_VALUE)
            return start + stream->duration;
        return av_rescale_q(context->duration, AV_TIME_BASE_Q, stream->time_base);
    }
};

struct Output
{
    AVFormatContext *context = nullptr;
    bool fileOpen = false;

    ~Output()
    {
        if (fileOpen)
            avio_closep(&context->pb);
        avformat_free_context(context);
    }

    AVStream *copyOf(const AVStream *input)
    {
        AVStream *stream = avformat_new_stream(context, nullptr);
        if (!stream || avcodec_parameters_copy(stream->codecpar, input->codecpar) < 0)
            return nullptr;
        // The input's tag may not suit the output; the muxer picks its own.
        stream->codecpar->codec_tag = 0;
        stream->time_base = input->time_base;
        return stream;
    }
};

QString writeRemux(Input &video, Input &sound, const QString &output,
                   const std::function<bool()> &stopRequested)
{
    Output out;
    const QByteArray url = avFileUrl(output);
    int result = avformat_alloc_output_context2(&out.context, nullptr, "mp4", url.constData());
    if (result < 0)
        return QStringLiteral("MP4 output is not available: %1").arg(avError(result));
    AVStream *videoOut = out.copyOf(video.stream);
    AVStream *soundOut = out.copyOf(sound.stream);
    if (!videoOut || !soundOut)
        return QStringLiteral("Could not set up the streams");
    result = avio_open(&out.context->pb, url.constData(), AVIO_FLAG_WRITE);
    if (result < 0)
        return QStringLiteral("Could not open %1: %2").arg(output, avError(result));
    out.fileOpen = true;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    result = avformat_write_header(out.context, &options);
    av_dict_free(&options);
    if (result < 0)
        return QStringLiteral("Could not write the file header: %1").arg(avError(result));

    const int64_t pictureEnd = video.endTime();
    for (Input *input : {&video, &sound})
        if (const QString error = input->readNext(); !error.isEmpty())
            return error;
    while (!video.ended || !sound.ended) {
        if (stopRequested && stopRequested())
            return QStringLiteral("Stopped");
        // The packet that comes first in time goes first, so the muxer need not hold many back.
        Input *next = sound.ended ? &video
                      : video.ended
                          ? &sound
                          : (av_compare_ts(video.decodeTime(), video.stream->time_base,
                                           sound.decodeTime(), sound.stream->time_base) <= 0
                                 ? &video
                                 : &sound);
        if (next == &sound && av_compare_ts(sound.packet->pts, sound.stream->time_base, pictureEnd,
                                            video.stream->time_base) >= 0) {
            av_packet_unref(sound.packet.get());
            sound.ended = true;
            continue;
        }
        AVStream *target = next == &video ? videoOut : soundOut;
        av_packet_rescale_ts(next->packet.get(), next->stream->time_base, target->time_base);
        next->packet->stream_index = target->index;
        next->packet->pos = -1;
        result = av_interleaved_write_frame(out.context, next->packet.get());
        if (result < 0)
            return QStringLiteral("Could not write the file: %1").arg(avError(result));
        if (const QString error = next->readNext(); !error.isEmpty())
            return error;
    }
    result = av_write_trailer(out.context);
    return result < 0 ? QStringLiteral("Could not complete the file: %1").arg(avError(result))
                      : QString();
}

} // namespace

QString remuxSound(const QString &edited, const QString &recording, const QString &output,
                   const std::function<bool()> &stopRequested)
{
    keepAvLogToErrors();
    Input video;
    Input sound;
    QString error = video.open(edited, AVMEDIA_TYPE_VIDEO);
    if (error.isEmpty())
        error = sound.open(recording, AVMEDIA_TYPE_AUDIO);
    if (error.isEmpty())
        error = writeRemux(video, sound, output, stopRequested);
    if (!error.isEmpty())
        QFile::remove(output);
    return error;
}
