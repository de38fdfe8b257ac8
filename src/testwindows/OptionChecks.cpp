#include "testwindows/OptionChecks.h"

#include <cwchar>

#include "language/ResourceIds.h"

namespace sektra {

std::uint32_t CheckTransferOptions(std::int32_t blocks, std::uint32_t maxBlocks, std::int32_t startPercent,
                                   std::int32_t endPercent) {
    if (blocks < 1 || static_cast<std::uint32_t>(blocks) > maxBlocks) return IDS_BAD_BLOCK_COUNT;
    if (endPercent < 1 || endPercent > 100) return IDS_BAD_END_PERCENT;
    // A negative start (pasted past the digits-only edit) is no position either.
    if (startPercent < 0 || startPercent >= endPercent) return IDS_BAD_START_PERCENT;
    return 0;
}

std::uint32_t CheckSeekOptions(std::int32_t count, std::uint64_t firstBlock, std::uint64_t lastBlock,
                               std::uint64_t maxBlock) {
    const auto seeks = static_cast<std::uint32_t>(count);
    if (seeks == 0 || seeks > 99999) return IDS_BAD_SEEK_COUNT;
    if (lastBlock > maxBlock) return IDS_BAD_LAST_BLOCK;
    if (firstBlock >= lastBlock) return IDS_BAD_FIRST_BLOCK;
    return 0;
}

std::wstring LimitText(const std::wstring& format, std::uint64_t limit) {
    std::wstring text = format;
    const std::size_t at = text.find(L"%u");
    if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(limit));
    return text;
}

std::uint32_t CheckCacheOptions(std::int32_t size, std::uint32_t limit, bool sizeInKB) {
    if (size < 1 || static_cast<std::uint32_t>(size) > limit) return sizeInKB ? IDS_BAD_SIZE_KB : IDS_BAD_BLOCK_COUNT;
    return 0;
}

bool ConfirmationMatches(const std::wstring& typed, const std::wstring& word) { return typed == word; }

std::wstring SizeInKBText(std::uint32_t units, std::uint32_t blockLength, bool sizeInKB) {
    const double kilobytes = sizeInKB ? units : static_cast<std::uint32_t>(units * blockLength) / 1024.0;
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"(%.1f KB)", kilobytes);
    return buffer;
}

int DecimalDigits(std::uint32_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

bool PresetRange(std::uint32_t index, std::uint32_t customStart, std::uint32_t customEnd, TransferRange& range) {
    static const TransferRange presets[] = {
        {IDS_RANGE_FULL, 0, 100},
        {IDS_RANGE_OUTER, 0, 10},
        {IDS_RANGE_MIDDLE, 45, 55},
        {IDS_RANGE_INNER, 90, 100},
    };
    if (index < 4) {
        range = presets[index];
        return true;
    }
    if (index == 4) {
        range = {IDS_OTHER_SIZE, customStart, customEnd};
        return true;
    }
    return false;
}

}  // namespace sektra
