// The sparse medium: overlapping writes of uniform and mixed blocks read back exactly.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "emulator/BlockStore.h"

namespace sektra {
namespace {

constexpr std::uint32_t kBlock = 16;

// Reference: every block's bytes in a plain map.
std::vector<std::uint8_t> Expected(const std::map<std::uint64_t, std::vector<std::uint8_t>>& written,
                                   std::uint64_t lba, std::uint64_t blocks) {
    std::vector<std::uint8_t> out;
    for (std::uint64_t b = lba; b < lba + blocks; ++b) {
        auto it = written.find(b);
        if (it != written.end()) {
            out.insert(out.end(), it->second.begin(), it->second.end());
        } else {
            for (std::uint32_t i = 0; i < kBlock; ++i) out.push_back(i < 8 ? std::uint8_t(b >> (8 * (7 - i))) : 0xE5);
        }
    }
    return out;
}

TEST(BlockStore, RandomOverlappingWritesMatchAPlainCopy) {
    BlockStore store(kBlock);
    std::map<std::uint64_t, std::vector<std::uint8_t>> written;
    std::mt19937 random(42);
    for (int round = 0; round < 3000; ++round) {
        const std::uint64_t lba = random() % 200;
        const std::uint64_t blocks = 1 + random() % 20;
        std::vector<std::uint8_t> data(blocks * kBlock);
        const int kind = random() % 3;  // uniform 0, uniform 7, mixed
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = kind == 0 ? 0 : kind == 1 ? 7 : static_cast<std::uint8_t>(random());
        }
        if (kind == 2 && random() % 2) std::fill(data.begin(), data.begin() + kBlock, 0);
        store.Write(lba, blocks, data.data());
        for (std::uint64_t b = 0; b < blocks; ++b) {
            written[lba + b].assign(data.begin() + b * kBlock, data.begin() + (b + 1) * kBlock);
        }
        const std::uint64_t readLba = random() % 220;
        const std::uint64_t readBlocks = 1 + random() % 30;
        std::vector<std::uint8_t> got(readBlocks * kBlock);
        store.Read(readLba, readBlocks, got.data());
        ASSERT_EQ(got, Expected(written, readLba, readBlocks)) << "round " << round;
        ASSERT_EQ(store.IsWritten(readLba), written.count(readLba) == 1);
    }
}

TEST(BlockStore, SequentialUniformWritesStayOneExtent) {
    BlockStore store(512);
    std::vector<std::uint8_t> zeros(128 * 512, 0);
    for (std::uint64_t lba = 0; lba < 1000000; lba += 128) store.Write(lba, 128, zeros.data());
    EXPECT_EQ(store.ExtentCount(), 1u);
}

}  // namespace
}  // namespace sektra
