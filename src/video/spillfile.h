#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A scratch file that only this process can reach and that never outlives it: created exclusively,
// with access for the owner only, and gone from its folder before anything is written (on Windows
// the system deletes it when its handle closes), so even a crash leaves no multi-gigabyte file
// behind. Plain C++ without Qt, so that the Windows variant compile-checks on any machine.
class SpillFile
{
public:
    // Null when no file could be made in the folder (UTF-8 path); error then says why.
    static std::unique_ptr<SpillFile> create(const std::string &folder, std::string &error);
    ~SpillFile();
    SpillFile(const SpillFile &) = delete;
    SpillFile &operator=(const SpillFile &) = delete;

    // A short write counts as a failure: the bytes from offset on are then undefined.
    bool write(std::uint64_t offset, const char *data, std::size_t size, std::string &error);
    // Positional, so several threads may read at once while one writes elsewhere in the file.
    bool read(std::uint64_t offset, char *data, std::size_t size, std::string &error) const;

private:
    // A random name, so that files of several recordings or processes never meet.
    static std::string freshName();
    explicit SpillFile(std::intptr_t handle) : handle(handle) {}

    std::intptr_t handle;
};
