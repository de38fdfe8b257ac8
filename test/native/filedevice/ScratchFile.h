#pragma once
// A file of known bytes in the test's working folder (the build tree: a disk file system that
// allows unbuffered access, where a temporary folder in memory would not), removed afterwards.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace sektra::test {

// The byte at `offset` of the scratch file: block number and position mixed so that a block
// read from the wrong place, or bytes shifted inside a block, never match.
inline std::uint8_t ScratchByte(std::uint64_t offset) {
    const std::uint64_t block = offset / 512;
    return static_cast<std::uint8_t>(block * 131 + (offset % 512) * 7 + (block >> 8));
}

class ScratchFile {
public:
    explicit ScratchFile(std::uint64_t size) {
        std::random_device rd;
        path_ = std::filesystem::current_path() / ("filedevice-" + std::to_string(rd()) + ".bin");
        std::string bytes(size, '\0');
        for (std::uint64_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(ScratchByte(i));
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~ScratchFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::string Path() const { return path_.string(); }
    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

}  // namespace sektra::test
