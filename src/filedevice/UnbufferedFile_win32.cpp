#include "filedevice/UnbufferedFile.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

namespace sektra {

namespace {

std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::vector<wchar_t> wide(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), n);
    return std::wstring(wide.data());
}

std::string Describe(DWORD code) {
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                   0, text, sizeof(text), nullptr);
    std::string result = n ? std::string(text, n) : std::string();
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
        result.pop_back();
    }
    return result + " (error " + std::to_string(code) + ")";
}

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// One transfer at an explicit offset. On a synchronous handle the OVERLAPPED only carries the
// offset; the call returns when the transfer is complete.
bool Transfer(HANDLE file, bool write, std::uint64_t offset, void* data, std::uint32_t bytes) {
    auto* p = static_cast<char*>(data);
    while (bytes > 0) {
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD done = 0;
        const BOOL ok = write ? WriteFile(file, p, bytes, &done, &at) : ReadFile(file, p, bytes, &done, &at);
        if (!ok || done == 0) return false;
        p += done;
        offset += done;
        bytes -= done;
    }
    return true;
}

}  // namespace

UnbufferedFile::~UnbufferedFile() { Close(); }

bool UnbufferedFile::Open(const std::string& path, bool writable, std::string* error) {
    Close();
    // OPEN_EXISTING: the file is never created or truncated. Writing asks for FILE_WRITE_DATA
    // alone: GENERIC_WRITE includes FILE_APPEND_DATA, documented as incompatible with
    // unbuffered access (FILE_NO_INTERMEDIATE_BUFFERING).
    // Sharing stays open so that another reader can use the same file at the same time.
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ | (writable ? FILE_WRITE_DATA : 0),
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) *error = path + ": " + Describe(GetLastError());
        return false;
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) {
        // A disk or volume has no file size; its length comes from the disk driver.
        GET_LENGTH_INFORMATION length = {};
        DWORD returned = 0;
        if (!DeviceIoControl(file, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof(length), &returned,
                             nullptr)) {
            if (error) *error = path + ": size unknown: " + Describe(GetLastError());
            CloseHandle(file);
            return false;
        }
        size = length.Length;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    writable_ = writable;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

void UnbufferedFile::Close() {
    if (handle_ != kClosed) CloseHandle(AsHandle(handle_));
    handle_ = kClosed;
    writable_ = false;
    size_ = 0;
}

bool UnbufferedFile::ReadAt(std::uint64_t offset, void* data, std::uint32_t bytes) {
    return Transfer(AsHandle(handle_), false, offset, data, bytes);
}

bool UnbufferedFile::WriteAt(std::uint64_t offset, const void* data, std::uint32_t bytes) {
    if (!writable_) return false;
    return Transfer(AsHandle(handle_), true, offset, const_cast<void*>(data), bytes);
}

}  // namespace sektra
