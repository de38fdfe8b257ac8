#include "emulator/BlockStore.h"

#include <algorithm>
#include <cstring>

namespace sektra {

std::uint8_t BlockStore::PatternByte(std::uint64_t lba, std::uint32_t offset) {
    if (offset < 8) return static_cast<std::uint8_t>(lba >> (8 * (7 - offset)));
    return 0xE5;
}

void BlockStore::FillPattern(std::uint64_t lba, std::uint64_t blocks, std::uint8_t* out) const {
    for (std::uint64_t b = 0; b < blocks; ++b) {
        std::uint8_t* block = out + b * blockLength_;
        std::memset(block, 0xE5, blockLength_);
        for (std::uint32_t i = 0; i < 8 && i < blockLength_; ++i) block[i] = PatternByte(lba + b, i);
    }
}

void BlockStore::Read(std::uint64_t lba, std::uint64_t blocks, std::uint8_t* out) const {
    const std::uint64_t end = lba + blocks;
    std::uint64_t pos = lba;
    auto it = extents_.upper_bound(lba);
    if (it != extents_.begin()) {
        auto prev = std::prev(it);
        if (prev->first + prev->second.count > lba) it = prev;
    }
    while (pos < end) {
        if (it == extents_.end() || it->first >= end) {
            FillPattern(pos, end - pos, out + (pos - lba) * blockLength_);
            return;
        }
        if (it->first > pos) {
            FillPattern(pos, it->first - pos, out + (pos - lba) * blockLength_);
            pos = it->first;
        }
        const Extent& e = it->second;
        const std::uint64_t stop = std::min(end, it->first + e.count);
        std::uint8_t* dst = out + (pos - lba) * blockLength_;
        if (e.fill >= 0) {
            std::memset(dst, e.fill, (stop - pos) * blockLength_);
        } else {
            std::memcpy(dst, e.data.data(), blockLength_);
        }
        pos = stop;
        ++it;
    }
}

bool BlockStore::IsWritten(std::uint64_t lba) const {
    auto it = extents_.upper_bound(lba);
    if (it == extents_.begin()) return false;
    --it;
    return it->first + it->second.count > lba;
}

// Removes blocks [first, end) from every extent, splitting those that reach past either end.
void BlockStore::Erase(std::uint64_t first, std::uint64_t end) {
    auto it = extents_.upper_bound(first);
    if (it != extents_.begin()) {
        auto prev = std::prev(it);
        const std::uint64_t prevEnd = prev->first + prev->second.count;
        if (prevEnd > first) {
            // Only uniform extents span more than one block, so only they can be split.
            if (prevEnd > end) {
                Extent tail;
                tail.count = prevEnd - end;
                tail.fill = prev->second.fill;
                extents_[end] = tail;
            }
            prev->second.count = first - prev->first;
            if (prev->second.count == 0) extents_.erase(prev);
        }
    }
    it = extents_.lower_bound(first);
    while (it != extents_.end() && it->first < end) {
        const std::uint64_t itEnd = it->first + it->second.count;
        if (itEnd > end) {
            Extent tail;
            tail.count = itEnd - end;
            tail.fill = it->second.fill;
            extents_[end] = tail;
        }
        it = extents_.erase(it);
    }
}

// Adds a uniform run over an erased range, merged with uniform neighbours of the same value.
void BlockStore::PutUniform(std::uint64_t first, std::uint64_t count, std::uint8_t value) {
    auto next = extents_.find(first + count);
    if (next != extents_.end() && next->second.fill == value) {
        count += next->second.count;
        extents_.erase(next);
    }
    auto it = extents_.lower_bound(first);
    if (it != extents_.begin()) {
        auto prev = std::prev(it);
        if (prev->second.fill == value && prev->first + prev->second.count == first) {
            prev->second.count += count;
            return;
        }
    }
    Extent e;
    e.count = count;
    e.fill = value;
    extents_[first] = e;
}

void BlockStore::Write(std::uint64_t lba, std::uint64_t blocks, const std::uint8_t* in) {
    if (blocks == 0) return;
    Erase(lba, lba + blocks);
    std::uint64_t runStart = 0, runCount = 0;
    int runValue = -1;
    for (std::uint64_t b = 0; b < blocks; ++b) {
        const std::uint8_t* block = in + b * blockLength_;
        const bool uniform = std::all_of(block, block + blockLength_,
                                         [&](std::uint8_t v) { return v == block[0]; });
        if (uniform && runCount > 0 && runValue == block[0]) {
            ++runCount;
            continue;
        }
        if (runCount > 0) PutUniform(runStart, runCount, static_cast<std::uint8_t>(runValue));
        runCount = 0;
        if (uniform) {
            runStart = lba + b;
            runCount = 1;
            runValue = block[0];
        } else {
            Extent e;
            e.count = 1;
            e.data.assign(block, block + blockLength_);
            extents_[lba + b] = std::move(e);
        }
    }
    if (runCount > 0) PutUniform(runStart, runCount, static_cast<std::uint8_t>(runValue));
}

}  // namespace sektra
