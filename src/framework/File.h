#pragma once
// A thin owner of one file handle. Every operation reports 0 for success and -1 for failure;
// Seek, GetSize and Tell return a 32-bit position, or -1.
#include <cstdint>

namespace sektra {

// Access and share flags, with the values of their Win32 namesakes.
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kShareRead = 1;
constexpr std::uint32_t kShareWrite = 2;

enum SeekOrigin : std::uint32_t { kSeekBegin = 0, kSeekCurrent = 1, kSeekEnd = 2 };

class File {
public:
    File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File();

    virtual std::uint32_t Seek(std::uint32_t offset, std::uint32_t origin);
    virtual std::uint32_t GetSize();
    virtual std::uint32_t Tell();
    // Opens an existing file. -1 when already open or when the file cannot be opened (a
    // directory cannot be opened as a file).
    virtual int OpenRead(const wchar_t* path, std::uint32_t access, std::uint32_t share);
    // Opens for writing: truncates an existing file when `truncate` is set, and creates a
    // missing one either way.
    virtual int OpenWrite(const wchar_t* path, std::uint32_t access, std::uint32_t share, bool truncate);
    virtual int Close();
    virtual int Read(void* buffer, std::uint32_t count);
    virtual int Write(const void* buffer, std::uint32_t count);

    bool IsOpen() const;

private:
    // INVALID_HANDLE_VALUE on Windows, -1 as a file descriptor natively.
    std::intptr_t handle;
};

}  // namespace sektra
