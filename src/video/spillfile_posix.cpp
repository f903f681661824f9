#include "spillfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Repeats a positional read or write until every byte is through.
template <typename Transfer, typename Bytes>
bool transferAll(Transfer transfer, Bytes data, std::size_t size, std::uint64_t offset,
                 const char *whenNothingMoved, std::string &error)
{
    while (size > 0) {
        const ssize_t moved = transfer(data, size, off_t(offset));
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0) {
            error = moved < 0 ? std::strerror(errno) : whenNothingMoved;
            return false;
        }
        data += moved;
        size -= std::size_t(moved);
        offset += std::uint64_t(moved);
    }
    return true;
}

} // namespace

std::unique_ptr<SpillFile> SpillFile::create(const std::string &folder, std::string &error)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string path = folder + "/" + freshName();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              S_IRUSR | S_IWUSR);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = path + ": " + std::strerror(errno);
            return nullptr;
        }
        // Without a name the space is freed when the descriptor closes, however the process ends.
        if (::unlink(path.c_str()) != 0) {
            error = path + ": " + std::strerror(errno);
            ::close(fd);
            ::unlink(path.c_str());
            return nullptr;
        }
        return std::unique_ptr<SpillFile>(new SpillFile(fd));
    }
    error = folder + ": no free file name";
    return nullptr;
}

SpillFile::~SpillFile()
{
    ::close(int(handle));
}

bool SpillFile::write(std::uint64_t offset, const char *data, std::size_t size, std::string &error)
{
    const int fd = int(handle);
    return transferAll([fd](const char *bytes, std::size_t count,
                            off_t at) { return ::pwrite(fd, bytes, count, at); },
                       data, size, offset, "nothing written", error);
}

bool SpillFile::read(std::uint64_t offset, char *data, std::size_t size, std::string &error) const
{
    const int fd = int(handle);
    return transferAll(
        [fd](char *bytes, std::size_t count, off_t at) { return ::pread(fd, bytes, count, at); },
        data, size, offset, "unexpected end of file", error);
}
