#pragma once

#include <QFile>
#include <QString>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace StaleSocket {

inline int boundTo(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path));
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace StaleSocket

// What a crashed instance leaves behind: a socket file at `path` that nobody listens on.
inline bool leaveStaleSocket(const QString &path)
{
    const int fd = StaleSocket::boundTo(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// A socket at `path` that takes connections into its queue and never answers them: an instance
// that hangs. Nothing is made for an empty path.
class ListeningSocket
{
public:
    explicit ListeningSocket(const QString &path)
        : fd(path.isEmpty() ? -1 : StaleSocket::boundTo(path))
    {
        if (fd >= 0 && ::listen(fd, 8) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~ListeningSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
    ListeningSocket(const ListeningSocket &) = delete;
    ListeningSocket &operator=(const ListeningSocket &) = delete;

    bool isListening() const { return fd >= 0; }

private:
    int fd;
};
