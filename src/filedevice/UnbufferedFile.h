#pragma once
// A file or block device read and written past the system's cache: O_DIRECT on Linux,
// FILE_FLAG_NO_BUFFERING on Windows. Both demand that the memory address, the file offset and
// the length of every transfer are multiples of the device's sector size; callers keep to
// kTransferAlignment for the address and to whole 512-byte blocks for offset and length.
#include <cstdint>
#include <string>

namespace sektra {

class UnbufferedFile {
public:
    // The buffer alignment asked of every transfer: a page, which covers 512-byte and 4 KiB
    // sectors alike. Page-aligned buffers (VirtualAlloc, mmap) always qualify.
    static constexpr std::uint32_t kTransferAlignment = 4096;

    UnbufferedFile() = default;
    ~UnbufferedFile();
    UnbufferedFile(const UnbufferedFile&) = delete;
    UnbufferedFile& operator=(const UnbufferedFile&) = delete;

    // Opens an existing file or device (`path` in UTF-8; never created, never truncated),
    // for reading only unless `writable`. False, with the reason in `error`, when it cannot be
    // opened unbuffered (also on a file system that does not allow it).
    bool Open(const std::string& path, bool writable, std::string* error);
    void Close();
    bool IsOpen() const { return handle_ != kClosed; }
    bool IsWritable() const { return writable_; }

    // Size in bytes when it was opened.
    std::uint64_t Size() const { return size_; }

    // Moves exactly `bytes` at `offset`; false on any error or when the file ends first.
    bool ReadAt(std::uint64_t offset, void* data, std::uint32_t bytes);
    bool WriteAt(std::uint64_t offset, const void* data, std::uint32_t bytes);

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;  // file descriptor, or HANDLE on Windows
    bool writable_ = false;
    std::uint64_t size_ = 0;
};

}  // namespace sektra
