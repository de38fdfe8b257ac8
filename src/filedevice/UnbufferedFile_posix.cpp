#include "filedevice/UnbufferedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sektra {

UnbufferedFile::~UnbufferedFile() { Close(); }

bool UnbufferedFile::Open(const std::string& path, bool writable, std::string* error) {
    Close();
    // No O_CREAT and no O_TRUNC: the file must exist and keeps its size.
    const int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_DIRECT | O_CLOEXEC);
    if (fd < 0) {
        // EINVAL here means the file system refuses O_DIRECT (tmpfs, for one).
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    // Works for block devices too, where st_size is 0.
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (end < 0) {
        if (error) *error = path + ": size unknown: " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    handle_ = fd;
    writable_ = writable;
    size_ = static_cast<std::uint64_t>(end);
    return true;
}

void UnbufferedFile::Close() {
    if (handle_ != kClosed) ::close(static_cast<int>(handle_));
    handle_ = kClosed;
    writable_ = false;
    size_ = 0;
}

bool UnbufferedFile::ReadAt(std::uint64_t offset, void* data, std::uint32_t bytes) {
    auto* p = static_cast<char*>(data);
    while (bytes > 0) {
        const ssize_t n = ::pread(static_cast<int>(handle_), p, bytes, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // an error, or the file ended early
        p += n;
        offset += static_cast<std::uint64_t>(n);
        bytes -= static_cast<std::uint32_t>(n);
    }
    return true;
}

bool UnbufferedFile::WriteAt(std::uint64_t offset, const void* data, std::uint32_t bytes) {
    if (!writable_) return false;
    const auto* p = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t n = ::pwrite(static_cast<int>(handle_), p, bytes, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        offset += static_cast<std::uint64_t>(n);
        bytes -= static_cast<std::uint32_t>(n);
    }
    return true;
}

}  // namespace sektra
