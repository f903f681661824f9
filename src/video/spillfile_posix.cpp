#include "spillfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    while (size > 0) {
        const ssize_t written = ::pwrite(int(handle), data, size, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? std::strerror(errno) : "nothing written";
            return false;
        }
        data += written;
        size -= std::size_t(written);
        offset += std::uint64_t(written);
    }
    return true;
}

bool SpillFile::read(std::uint64_t offset, char *data, std::size_t size, std::string &error) const
{
    while (size > 0) {
        const ssize_t got = ::pread(int(handle), data, size, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? std::strerror(errno) : "unexpected end of file";
            return false;
        }
        data += got;
        size -= std::size_t(got);
        offset += std::uint64_t(got);
    }
    return true;
}
