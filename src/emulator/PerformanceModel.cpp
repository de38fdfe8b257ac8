#include "emulator/PerformanceModel.h"

#include <algorithm>

#include "emulator/MulDiv.h"

namespace sektra {

std::uint64_t TransferNs(std::uint64_t bytes, std::uint64_t bytesPerSecond) {
    if (bytesPerSecond == 0) return 0;
    return EmulatorMulDiv(bytes, 1000000000u, bytesPerSecond);
}

PerformanceModel::PerformanceModel(const TimingModel& timing, std::uint64_t blockCount,
                                   std::uint32_t blockLength)
    : timing_(timing), blockCount_(blockCount), blockLength_(blockLength) {}

std::uint64_t PerformanceModel::Positioning(std::uint64_t to) const {
    if (to == head_ || blockCount_ == 0) return 0;
    const std::uint64_t distance = to > head_ ? to - head_ : head_ - to;
    const std::uint64_t span = timing_.fullSeekNs > timing_.trackSeekNs
                                   ? timing_.fullSeekNs - timing_.trackSeekNs : 0;
    return timing_.trackSeekNs +
           EmulatorMulDiv(span, distance, blockCount_) +
           timing_.rotationNs / 2;
}

std::uint64_t PerformanceModel::MediaTransfer(std::uint64_t lba, std::uint64_t bytes) const {
    const std::uint64_t outer = timing_.outerBytesPerSecond;
    const std::uint64_t inner = timing_.innerBytesPerSecond ? timing_.innerBytesPerSecond : outer;
    std::uint64_t rate = outer;
    if (blockCount_ > 0 && outer > inner) {
        rate = outer - EmulatorMulDiv(outer - inner, lba, blockCount_);
    } else if (blockCount_ > 0 && inner > outer) {
        rate = outer + EmulatorMulDiv(inner - outer, lba, blockCount_);
    }
    return TransferNs(bytes, rate);
}

bool PerformanceModel::CacheHolds(std::uint64_t lba, std::uint32_t blocks) const {
    if (timing_.cacheBlocks == 0 || timing_.interfaceBytesPerSecond == 0) return false;
    return lba >= cacheFirst_ && lba + blocks <= cacheEnd_ && cacheEnd_ > cacheFirst_;
}

std::uint64_t PerformanceModel::Read(std::uint64_t lba, std::uint32_t blocks, bool fromMedium) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(blocks) * blockLength_;
    if (!fromMedium && CacheHolds(lba, blocks)) {
        return timing_.commandNs + TransferNs(bytes, timing_.interfaceBytesPerSecond);
    }
    const std::uint64_t ns = timing_.commandNs + Positioning(lba) + MediaTransfer(lba, bytes);
    head_ = lba + blocks;
    cacheEnd_ = lba + blocks;
    cacheFirst_ = cacheEnd_ - std::min<std::uint64_t>(blocks, timing_.cacheBlocks);
    return ns;
}

std::uint64_t PerformanceModel::Write(std::uint64_t lba, std::uint32_t blocks) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(blocks) * blockLength_;
    const std::uint64_t ns = timing_.commandNs + Positioning(lba) + MediaTransfer(lba, bytes);
    head_ = lba + blocks;
    if (lba < cacheEnd_ && lba + blocks > cacheFirst_) cacheFirst_ = cacheEnd_ = 0;
    return ns;
}

std::uint64_t PerformanceModel::Verify(std::uint64_t lba, std::uint32_t blocks) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(blocks) * blockLength_;
    const std::uint64_t ns = timing_.commandNs + Positioning(lba) + MediaTransfer(lba, bytes);
    head_ = lba + blocks;
    return ns;
}

std::uint64_t PerformanceModel::Seek(std::uint64_t lba) {
    const std::uint64_t ns = timing_.commandNs + Positioning(lba);
    head_ = lba;
    return ns;
}

std::uint64_t PerformanceModel::BufferTransfer(std::uint64_t bytes) const {
    const std::uint64_t rate = timing_.interfaceBytesPerSecond ? timing_.interfaceBytesPerSecond
                                                               : timing_.outerBytesPerSecond;
    return timing_.commandNs + TransferNs(bytes, rate);
}

}  // namespace sektra
