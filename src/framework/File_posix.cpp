// The native stand-in for the Win32 file handle, so that the text and settings formats are
// tested on Linux byte for byte as Windows would write them.
#include "framework/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "framework/Utf8.h"

namespace sektra {

namespace {

constexpr std::intptr_t kClosed = -1;

std::string ToPath(const wchar_t* path) { return Utf8FromWide(path); }

int AccessFlags(std::uint32_t access) {
    const bool read = (access & kGenericRead) != 0;
    const bool write = (access & kGenericWrite) != 0;
    return read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
}

// Like CreateFileW without backup semantics, a directory is not a file.
bool IsRegular(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace

File::File() : handle(kClosed) {}

File::~File() { Close(); }

bool File::IsOpen() const { return handle != kClosed; }

int File::OpenRead(const wchar_t* path, std::uint32_t access, std::uint32_t) {
    if (IsOpen()) return -1;
    const int fd = open(ToPath(path).c_str(), AccessFlags(access) | O_CLOEXEC);
    if (fd < 0) return -1;
    if (!IsRegular(fd)) {
        close(fd);
        return -1;
    }
    handle = fd;
    return 0;
}

int File::OpenWrite(const wchar_t* path, std::uint32_t access, std::uint32_t, bool truncate) {
    if (IsOpen()) return -1;
    const std::string p = ToPath(path);
    int fd = -1;
    if (truncate) fd = open(p.c_str(), AccessFlags(access) | O_TRUNC | O_CLOEXEC);
    if (fd < 0) fd = open(p.c_str(), AccessFlags(access) | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    if (!IsRegular(fd)) {
        close(fd);
        return -1;
    }
    handle = fd;
    return 0;
}

int File::Close() {
    if (IsOpen()) close(static_cast<int>(handle));
    handle = kClosed;
    return 0;
}

int File::Read(void* buffer, std::uint32_t count) {
    if (!IsOpen()) return -1;
    char* p = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t n = read(static_cast<int>(handle), p, count);
        if (n < 0) return -1;
        if (n == 0) break;  // end of file: a short read is not a failure, as with ReadFile
        p += n;
        count -= static_cast<std::uint32_t>(n);
    }
    return 0;
}

int File::Write(const void* buffer, std::uint32_t count) {
    if (!IsOpen()) return -1;
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t n = write(static_cast<int>(handle), p, count);
        if (n <= 0) return -1;
        p += n;
        count -= static_cast<std::uint32_t>(n);
    }
    return 0;
}

std::uint32_t File::Seek(std::uint32_t offset, std::uint32_t origin) {
    if (!IsOpen() || origin > kSeekEnd) return 0xFFFFFFFFu;
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t r = lseek(static_cast<int>(handle), static_cast<off_t>(offset), whence[origin]);
    return r < 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(r);
}

std::uint32_t File::GetSize() {
    struct stat st;
    if (!IsOpen() || fstat(static_cast<int>(handle), &st) != 0) return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(st.st_size);
}

std::uint32_t File::Tell() { return Seek(0, kSeekCurrent); }

}  // namespace sektra
