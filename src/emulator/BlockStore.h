#pragma once
// The blocks of an emulated medium, kept sparse: a never-written block reads as a fixed
// pattern, a block written with one byte value throughout is kept as that value (write tests
// write zero-filled buffers over whole ranges, which therefore cost almost no memory), and
// only other blocks keep their bytes.
#include <cstdint>
#include <map>
#include <vector>

namespace sektra {

class BlockStore {
public:
    explicit BlockStore(std::uint32_t blockLength) : blockLength_(blockLength) {}

    void Read(std::uint64_t lba, std::uint64_t blocks, std::uint8_t* out) const;
    void Write(std::uint64_t lba, std::uint64_t blocks, const std::uint8_t* in);
    bool IsWritten(std::uint64_t lba) const;
    void Clear() { extents_.clear(); }
    std::size_t ExtentCount() const { return extents_.size(); }

    // Byte `offset` of a never-written block: the block address big-endian in bytes 0-7,
    // 0xE5 elsewhere.
    static std::uint8_t PatternByte(std::uint64_t lba, std::uint32_t offset);

private:
    // A run of written blocks: `count` blocks of the byte `fill`, or (fill < 0) one block of
    // the bytes in `data`.
    struct Extent {
        std::uint64_t count = 0;
        int fill = -1;
        std::vector<std::uint8_t> data;
    };

    void Erase(std::uint64_t first, std::uint64_t end);
    void PutUniform(std::uint64_t first, std::uint64_t count, std::uint8_t value);
    void FillPattern(std::uint64_t lba, std::uint64_t blocks, std::uint8_t* out) const;

    const std::uint32_t blockLength_;
    std::map<std::uint64_t, Extent> extents_;  // by first block; never overlapping
};

}  // namespace sektra
