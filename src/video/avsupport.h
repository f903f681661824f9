#pragma once

// What the code on FFmpeg's libraries shares: owning pointers for their objects and their error
// texts. Included only where the libraries' headers are at hand.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
}

// Frees an object of FFmpeg's through its free function that takes a pointer to the pointer.
template <typename T, void (*Free)(T **)> struct AvDeleter
{
    void operator()(T *p) const { Free(&p); }
};
using PacketPtr = std::unique_ptr<AVPacket, AvDeleter<AVPacket, av_packet_free>>;

inline QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// "file:" keeps a colon in the path from being read as a protocol name.
inline QByteArray avFileUrl(const QString &path)
{
    return "file:" + QFile::encodeName(path);
}

// The libraries report every encoder's settings and statistics on stderr; keep the errors.
inline void keepAvLogToErrors()
{
    static const bool quiet = (av_log_set_level(AV_LOG_ERROR), true);
    Q_UNUSED(quiet)
}
