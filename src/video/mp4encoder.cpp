#include "mp4encoder.h"

#include "avsupport.h"

#include <QFile>

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <libyuv/convert.h>

namespace {

// A gap in the microphone's delivery shorter than this is jitter of the polling, not lost time.
constexpr qint64 audioGapToleranceUs = 100'000;
constexpr int audioBitRatePerChannel = 64'000;
constexpr int preferredAudioRate = 48'000;

using CodecContextPtr =
    std::unique_ptr<AVCodecContext, AvDeleter<AVCodecContext, avcodec_free_context>>;
using FramePtr = std::unique_ptr<AVFrame, AvDeleter<AVFrame, av_frame_free>>;
using ResamplerPtr = std::unique_ptr<SwrContext, AvDeleter<SwrContext, swr_free>>;

struct FifoDeleter
{
    void operator()(AVAudioFifo *fifo) const { av_audio_fifo_free(fifo); }
};
struct ScalerDeleter
{
    void operator()(SwsContext *context) const { sws_freeContext(context); }
};

AVSampleFormat sampleFormatOf(QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8:
        return AV_SAMPLE_FMT_U8;
    case QAudioFormat::Int16:
        return AV_SAMPLE_FMT_S16;
    case QAudioFormat::Int32:
        return AV_SAMPLE_FMT_S32;
    case QAudioFormat::Float:
        return AV_SAMPLE_FMT_FLT;
    default:
        return AV_SAMPLE_FMT_NONE;
    }
}

int encoderSampleRate(const AVCodec *codec, int inputRate)
{
    for (const int *rate = codec->supported_samplerates; rate && *rate; ++rate)
        if (*rate == inputRate)
            return inputRate;
    return preferredAudioRate;
}

} // namespace

struct Mp4Encoder::Private
{
    AVFormatContext *format = nullptr;
    bool fileOpen = false;
    QString path;
    QString error;

    CodecContextPtr video;
    AVStream *videoStream = nullptr;
    FramePtr picture;
    std::unique_ptr<SwsContext, ScalerDeleter> scaler;
    QSize requestedSize;
    int frameRate = 25;
    int64_t lastPts = -1;
    int dropped = 0;

    CodecContextPtr audio;
    AVStream *audioStream = nullptr;
    ResamplerPtr resampler;
    std::unique_ptr<AVAudioFifo, FifoDeleter> fifo;
    FramePtr samples;
    AVSampleFormat inputSampleFormat = AV_SAMPLE_FMT_NONE;
    int inputChannels = 0;
    int inputRate = 0;
    int64_t audioPts = 0;
    int64_t audioQueued = 0; // samples at the encoder's rate handed to the FIFO so far

    PacketPtr packet{av_packet_alloc()};

    ~Private() { close(); }

    bool fail(const QString &what, int code = 0)
    {
        if (error.isEmpty())
            error = code ? QStringLiteral("%1: %2").arg(what, avError(code)) : what;
        return false;
    }

    void close()
    {
        if (fileOpen)
            avio_closep(&format->pb);
        fileOpen = false;
        avformat_free_context(format);
        format = nullptr;
    }

    AVStream *addStream(const AVCodec *codec, CodecContextPtr &context)
    {
        AVStream *stream = avformat_new_stream(format, nullptr);
        context.reset(avcodec_alloc_context3(codec));
        if (stream && context)
            return stream;
        fail(QStringLiteral("Out of memory"));
        return nullptr;
    }

    bool openStream(const AVCodec *codec, AVCodecContext *context, AVStream *stream,
                    AVDictionary **options)
    {
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        int result = avcodec_open2(context, codec, options);
        if (result < 0)
            return fail(QStringLiteral("Could not open the %1 encoder").arg(codec->name), result);
        result = avcodec_parameters_from_context(stream->codecpar, context);
        if (result < 0)
            return fail(QStringLiteral("Could not set up the %1 stream").arg(codec->name), result);
        stream->time_base = context->time_base;
        return true;
    }

    bool openVideo(const QSize &size)
    {
        const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
        if (!codec)
            return fail(QStringLiteral("H.264 encoder libx264 is not available"));
        if (!(videoStream = addStream(codec, video)))
            return false;
        video->width = size.width();
        video->height = size.height();
        video->pix_fmt = AV_PIX_FMT_YUV420P;
        video->time_base = AVRational{1, frameRate};
        video->framerate = AVRational{frameRate, 1};
        // A key frame every two seconds keeps seeking in the editor's player quick.
        video->gop_size = 2 * frameRate;
        video->colorspace = AVCOL_SPC_SMPTE170M;
        video->color_range = AVCOL_RANGE_MPEG;
        AVDictionary *options = nullptr;
        av_dict_set(&options, "preset", "veryfast", 0);
        const bool opened = openStream(codec, video.get(), videoStream, &options);
        av_dict_free(&options);
        if (!opened)
            return false;
        videoStream->avg_frame_rate = video->framerate;

        picture.reset(av_frame_alloc());
        if (!picture)
            return fail(QStringLiteral("Out of memory"));
        picture->format = video->pix_fmt;
        picture->width = video->width;
        picture->height = video->height;
        const int allocated = av_frame_get_buffer(picture.get(), 0);
        return allocated < 0 ? fail(QStringLiteral("Out of memory"), allocated) : true;
    }

    bool openAudio(const QAudioFormat &input)
    {
        inputSampleFormat = sampleFormatOf(input.sampleFormat());
        inputChannels = input.channelCount();
        inputRate = input.sampleRate();
        if (inputSampleFormat == AV_SAMPLE_FMT_NONE || inputChannels < 1 || inputRate < 1)
            return fail(QStringLiteral("Unsupported microphone format"));
        const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!codec)
            return fail(QStringLiteral("AAC encoder is not available"));
        if (!(audioStream = addStream(codec, audio)))
            return false;
        const int channels = std::min(inputChannels, 2);
        av_channel_layout_default(&audio->ch_layout, channels);
        audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
        audio->sample_rate = encoderSampleRate(codec, inputRate);
        audio->bit_rate = audioBitRatePerChannel * channels;
        audio->time_base = AVRational{1, audio->sample_rate};
        if (!openStream(codec, audio.get(), audioStream, nullptr))
            return false;

        AVChannelLayout inputLayout;
        av_channel_layout_default(&inputLayout, inputChannels);
        SwrContext *context = nullptr;
        int result =
            swr_alloc_set_opts2(&context, &audio->ch_layout, audio->sample_fmt, audio->sample_rate,
                                &inputLayout, inputSampleFormat, inputRate, 0, nullptr);
        av_channel_layout_uninit(&inputLayout);
        resampler.reset(context);
        if (result < 0 || (result = swr_init(context)) < 0)
            return fail(QStringLiteral("Could not set up the audio resampler"), result);

        fifo.reset(av_audio_fifo_alloc(audio->sample_fmt, channels, audio->sample_rate));
        samples.reset(av_frame_alloc());
        return fifo && samples ? true : fail(QStringLiteral("Out of memory"));
    }

    // Sends one frame (or null to flush) and writes every packet the encoder returns.
    bool encode(AVCodecContext *context, AVStream *stream, AVFrame *frame)
    {
        int result = avcodec_send_frame(context, frame);
        if (result < 0)
            return fail(QStringLiteral("Encoding failed"), result);
        while ((result = avcodec_receive_packet(context, packet.get())) >= 0) {
            av_packet_rescale_ts(packet.get(), context->time_base, stream->time_base);
            packet->stream_index = stream->index;
            result = av_interleaved_write_frame(format, packet.get());
            if (result < 0)
                return fail(QStringLiteral("Could not write the file"), result);
        }
        return result == AVERROR(EAGAIN) || result == AVERROR_EOF
                   ? true
                   : fail(QStringLiteral("Encoding failed"), result);
    }

    bool convertInto(const QImage &frame)
    {
        const int result = av_frame_make_writable(picture.get());
        if (result < 0)
            return fail(QStringLiteral("Out of memory"), result);
        // The requested size itself is cropped to the even size, by libyuv: it converts several
        // times faster than libswscale, which takes a good part of the encoder's time at 1080p.
        // Both use BT.601 in limited range. Any other size is scaled.
        if (frame.size() == requestedSize) {
            libyuv::ARGBToI420(frame.constBits(), int(frame.bytesPerLine()), picture->data[0],
                               picture->linesize[0], picture->data[1], picture->linesize[1],
                               picture->data[2], picture->linesize[2], video->width, video->height);
            return true;
        }
        scaler.reset(sws_getCachedContext(scaler.release(), frame.width(), frame.height(),
                                          AV_PIX_FMT_RGB32, video->width, video->height,
                                          video->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!scaler)
            return fail(QStringLiteral("Could not convert the frame"));
        const uint8_t *const planes[] = {frame.constBits()};
        const int strides[] = {int(frame.bytesPerLine())};
        sws_scale(scaler.get(), planes, strides, 0, frame.height(), picture->data,
                  picture->linesize);
        return true;
    }

    bool queueSilence(int64_t count)
    {
        uint8_t **silence = nullptr;
        const int channels = audio->ch_layout.nb_channels;
        int result = av_samples_alloc_array_and_samples(&silence, nullptr, channels, int(count),
                                                        audio->sample_fmt, 0);
        if (result < 0)
            return fail(QStringLiteral("Out of memory"), result);
        av_samples_set_silence(silence, 0, int(count), channels, audio->sample_fmt);
        result = av_audio_fifo_write(fifo.get(), reinterpret_cast<void **>(silence), int(count));
        av_freep(&silence[0]);
        av_freep(&silence);
        audioQueued += count;
        return result < 0 ? fail(QStringLiteral("Out of memory"), result) : true;
    }

    bool queueConverted(const uint8_t *input, int count)
    {
        const int capacity = swr_get_out_samples(resampler.get(), count);
        if (capacity <= 0)
            return true;
        uint8_t **converted = nullptr;
        int result = av_samples_alloc_array_and_samples(
            &converted, nullptr, audio->ch_layout.nb_channels, capacity, audio->sample_fmt, 0);
        if (result < 0)
            return fail(QStringLiteral("Out of memory"), result);
        const uint8_t *inputs[] = {input};
        result = swr_convert(resampler.get(), converted, capacity, input ? inputs : nullptr, count);
        if (result > 0) {
            audioQueued += result;
            result = av_audio_fifo_write(fifo.get(), reinterpret_cast<void **>(converted), result);
        }
        av_freep(&converted[0]);
        av_freep(&converted);
        return result < 0 ? fail(QStringLiteral("Could not convert the audio"), result) : true;
    }

    // Encodes whole encoder frames from the FIFO; with flush also the short rest.
    bool encodeQueuedAudio(bool flush)
    {
        const int frameSize = audio->frame_size > 0 ? audio->frame_size : 1024;
        while (av_audio_fifo_size(fifo.get()) >= frameSize ||
               (flush && av_audio_fifo_size(fifo.get()) > 0)) {
            const int count = std::min(frameSize, av_audio_fifo_size(fifo.get()));
            av_frame_unref(samples.get());
            samples->nb_samples = count;
            samples->format = audio->sample_fmt;
            samples->sample_rate = audio->sample_rate;
            av_channel_layout_copy(&samples->ch_layout, &audio->ch_layout);
            int result = av_frame_get_buffer(samples.get(), 0);
            if (result < 0)
                return fail(QStringLiteral("Out of memory"), result);
            result =
                av_audio_fifo_read(fifo.get(), reinterpret_cast<void **>(samples->data), count);
            if (result < 0)
                return fail(QStringLiteral("Could not encode the audio"), result);
            samples->pts = audioPts;
            audioPts += count;
            if (!encode(audio.get(), audioStream, samples.get()))
                return false;
        }
        return true;
    }
};

Mp4Encoder::Mp4Encoder() : d(std::make_unique<Private>())
{
    keepAvLogToErrors();
}

Mp4Encoder::~Mp4Encoder() = default;

bool Mp4Encoder::open(const Options &options)
{
    d->path = options.path;
    d->requestedSize = options.size;
    d->frameRate = std::max(1, options.frameRate);
    const QSize even(options.size.width() & ~1, options.size.height() & ~1);
    if (even.isEmpty())
        return d->fail(QStringLiteral("Video size %1x%2 is too small")
                           .arg(options.size.width())
                           .arg(options.size.height()));

    const QByteArray url = avFileUrl(options.path);
    int result = avformat_alloc_output_context2(&d->format, nullptr, "mp4", url.constData());
    if (result < 0)
        return d->fail(QStringLiteral("MP4 output is not available"), result);
    if (!d->openVideo(even) ||
        (options.audioFormat.isValid() && !d->openAudio(options.audioFormat)))
        return false;
    result = avio_open(&d->format->pb, url.constData(), AVIO_FLAG_WRITE);
    if (result < 0)
        return d->fail(QStringLiteral("Could not open %1").arg(options.path), result);
    d->fileOpen = true;
    AVDictionary *muxerOptions = nullptr;
    av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
    result = avformat_write_header(d->format, &muxerOptions);
    av_dict_free(&muxerOptions);
    if (result < 0) {
        d->close();
        QFile::remove(options.path);
        return d->fail(QStringLiteral("Could not write the file header"), result);
    }
    return true;
}

bool Mp4Encoder::writeVideo(const QImage &frame, qint64 timestampUs)
{
    if (!d->error.isEmpty() || !d->video)
        return false;
    const double slot = double(timestampUs) * d->frameRate / 1e6;
    const int64_t pts = std::max<int64_t>(std::llround(slot), d->lastPts + 1);
    if (pts - slot > 1.0) {
        ++d->dropped;
        return true;
    }
    const bool native = frame.format() == QImage::Format_RGB32 ||
                        frame.format() == QImage::Format_ARGB32 ||
                        frame.format() == QImage::Format_ARGB32_Premultiplied;
    if (!d->convertInto(native ? frame : frame.convertToFormat(QImage::Format_RGB32)))
        return false;
    d->picture->pts = pts;
    d->lastPts = pts;
    return d->encode(d->video.get(), d->videoStream, d->picture.get());
}

bool Mp4Encoder::writeAudio(const QByteArray &pcm, qint64 startUs)
{
    if (!d->error.isEmpty() || !d->audio)
        return false;
    const int rate = d->audio->sample_rate;
    const int64_t startSample = av_rescale(startUs, rate, 1'000'000);
    const int64_t tolerance = d->audioQueued ? av_rescale(audioGapToleranceUs, rate, 1'000'000) : 0;
    if (startSample - d->audioQueued > tolerance && !d->queueSilence(startSample - d->audioQueued))
        return false;
    const int frameBytes = av_get_bytes_per_sample(d->inputSampleFormat) * d->inputChannels;
    const int count = int(pcm.size() / frameBytes);
    return (count == 0 ||
            d->queueConverted(reinterpret_cast<const uint8_t *>(pcm.constData()), count)) &&
           d->encodeQueuedAudio(false);
}

bool Mp4Encoder::finish()
{
    if (!d->format)
        return false;
    bool ok = d->error.isEmpty();
    if (ok && d->audio) {
        // Silence up to the last frame's end: a muxer cutting to the shorter stream must never
        // cut the picture because the device delivered less than was recorded.
        const int64_t videoEnd = av_rescale(d->lastPts + 1, d->audio->sample_rate, d->frameRate);
        ok = d->queueConverted(nullptr, 0) &&
             (videoEnd <= d->audioQueued || d->queueSilence(videoEnd - d->audioQueued)) &&
             d->encodeQueuedAudio(true) && d->encode(d->audio.get(), d->audioStream, nullptr);
    }
    if (ok)
        ok = d->encode(d->video.get(), d->videoStream, nullptr);
    if (ok && d->fileOpen) {
        const int result = av_write_trailer(d->format);
        ok = result >= 0 || d->fail(QStringLiteral("Could not complete the file"), result);
    }
    d->close();
    if (!ok)
        QFile::remove(d->path);
    return ok;
}

bool Mp4Encoder::hasAudio() const
{
    return bool(d->audio);
}

int Mp4Encoder::droppedFrames() const
{
    return d->dropped;
}

QString Mp4Encoder::errorString() const
{
    return d->error;
}
