#include "spillfile.h"

#include <windows.h>

#include <sddl.h>

namespace {

std::wstring widen(const std::string &text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string lastError()
{
    return "Windows error " + std::to_string(GetLastError());
}

// A protected DACL that grants the current user alone full access, whatever the folder passes on.
PSECURITY_DESCRIPTOR ownerOnlyDescriptor()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return nullptr;
    DWORD length = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &length);
    std::string buffer(length, '\0');
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    LPWSTR sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer.data(), length, &length) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid, &sid)) {
        const std::wstring sddl = L"D:P(A;;FA;;;" + std::wstring(sid) + L")";
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                             &descriptor, nullptr);
        LocalFree(sid);
    }
    CloseHandle(token);
    return descriptor;
}

// Repeats a positional ReadFile or WriteFile (at most 1 GB per call) until every byte is through.
template <typename Transfer, typename Bytes>
bool transferAll(Transfer transfer, Bytes data, std::size_t size, std::uint64_t offset,
                 std::string &error)
{
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = DWORD(offset & 0xFFFFFFFFu);
        at.OffsetHigh = DWORD(offset >> 32);
        const DWORD count = DWORD(size < 0x40000000u ? size : 0x40000000u);
        DWORD moved = 0;
        if (!transfer(data, count, &moved, &at) || moved == 0) {
            error = lastError();
            return false;
        }
        data += moved;
        size -= moved;
        offset += moved;
    }
    return true;
}

} // namespace

std::unique_ptr<SpillFile> SpillFile::create(const std::string &folder, std::string &error)
{
    PSECURITY_DESCRIPTOR descriptor = ownerOnlyDescriptor();
    if (!descriptor) {
        error = "no owner-only access list: " + lastError();
        return nullptr;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        const std::wstring path = widen(folder + "\\" + freshName());
        // No sharing and delete-on-close: nobody else opens it, and the system removes it when
        // the handle closes, also when the process dies.
        file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &attributes, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            error = folder + ": " + lastError();
            break;
        }
    }
    LocalFree(descriptor);
    if (file == INVALID_HANDLE_VALUE) {
        if (error.empty())
            error = folder + ": no free file name";
        return nullptr;
    }
    return std::unique_ptr<SpillFile>(new SpillFile(reinterpret_cast<std::intptr_t>(file)));
}

SpillFile::~SpillFile()
{
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool SpillFile::write(std::uint64_t offset, const char *data, std::size_t size, std::string &error)
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    return transferAll([file](const char *bytes, DWORD count, DWORD *moved,
                              OVERLAPPED *at) { return WriteFile(file, bytes, count, moved, at); },
                       data, size, offset, error);
}

bool SpillFile::read(std::uint64_t offset, char *data, std::size_t size, std::string &error) const
{
    const HANDLE file = reinterpret_cast<HANDLE>(handle);
    return transferAll([file](char *bytes, DWORD count, DWORD *moved,
                              OVERLAPPED *at) { return ReadFile(file, bytes, count, moved, at); },
                       data, size, offset, error);
}
