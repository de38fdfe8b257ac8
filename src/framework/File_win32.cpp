#include "framework/File.h"

#include <windows.h>

namespace sektra {

namespace {
HANDLE H(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
const std::intptr_t kClosed = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}  // namespace

File::File() : handle(kClosed) {}

File::~File() { Close(); }

bool File::IsOpen() const { return handle != kClosed; }

int File::OpenRead(const wchar_t* path, std::uint32_t access, std::uint32_t share) {
    if (IsOpen()) return -1;
    HANDLE h = CreateFileW(path, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle = reinterpret_cast<std::intptr_t>(h);
    return IsOpen() ? 0 : -1;
}

int File::OpenWrite(const wchar_t* path, std::uint32_t access, std::uint32_t share, bool truncate) {
    if (IsOpen()) return -1;
    HANDLE h = CreateFileW(path, access, share, nullptr, truncate ? TRUNCATE_EXISTING : OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)  // TRUNCATE_EXISTING fails on a missing file: create it
        h = CreateFileW(path, access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle = reinterpret_cast<std::intptr_t>(h);
    return IsOpen() ? 0 : -1;
}

int File::Close() {
    if (IsOpen()) CloseHandle(H(handle));
    handle = kClosed;
    return 0;
}

int File::Read(void* buffer, std::uint32_t count) {
    DWORD done = 0;
    if (!IsOpen() || !ReadFile(H(handle), buffer, count, &done, nullptr)) return -1;
    return 0;
}

int File::Write(const void* buffer, std::uint32_t count) {
    DWORD done = 0;
    if (!IsOpen() || !WriteFile(H(handle), buffer, count, &done, nullptr)) return -1;
    return 0;
}

std::uint32_t File::Seek(std::uint32_t offset, std::uint32_t origin) {
    if (!IsOpen()) return INVALID_SET_FILE_POINTER;
    LONG high = 0;  // makes the 32-bit offset unsigned instead of a signed distance
    return SetFilePointer(H(handle), static_cast<LONG>(offset), &high, origin);
}

std::uint32_t File::GetSize() {
    if (!IsOpen()) return INVALID_FILE_SIZE;
    return GetFileSize(H(handle), nullptr);
}

std::uint32_t File::Tell() { return Seek(0, FILE_CURRENT); }

}  // namespace sektra
