#pragma once
// What the test option dialogs accept, and the parameters a test row's item code stands for.
// Each check answers the number of the resource string that explains a refusal, or 0.
#include <cstdint>
#include <string>

namespace sektra {

// Blocks per command in 1 .. maxBlocks (55); end percent in 1 .. 100 (56); start percent from 0
// and below the end (57). Checked in this order, the range also when a preset is chosen.
std::uint32_t CheckTransferOptions(std::int32_t blocks, std::uint32_t maxBlocks, std::int32_t startPercent,
                                   std::int32_t endPercent);
// Count typed as a signed number, compared unsigned, in 1 .. 99999 (109); 64-bit block numbers:
// last block not beyond the device's (111); first block below the last (110).
std::uint32_t CheckSeekOptions(std::int32_t count, std::uint64_t firstBlock, std::uint64_t lastBlock,
                               std::uint64_t maxBlock);
// A "fmt(unsigned limit)" resource string with a 64-bit limit: its first "%u" replaced by the
// decimal digits (the Windows C runtimes disagree on a 64-bit conversion).
std::wstring LimitText(const std::wstring& format, std::uint64_t limit);
// Size in 1 .. limit: 108 when counted in KB, else 55.
std::uint32_t CheckCacheOptions(std::int32_t size, std::uint32_t limit, bool sizeInKB);
// The typed word must be the confirmation word exactly: same case, no blanks around it.
bool ConfirmationMatches(const std::wstring& typed, const std::wstring& word);

// "(%.1f KB)" for a size of `units` blocks of `blockLength` bytes (a 32-bit product, as the
// commands carry it), or of `units` KB when sizeInKB is set.
std::wstring SizeInKBText(std::uint32_t units, std::uint32_t blockLength, bool sizeInKB);
// Decimal digits of a limit, the text limit of its edit control.
int DecimalDigits(std::uint32_t value);

// A transfer test's row: bits 4 to 7 the range (2 whole, 3 outer 0-10 %, 4 middle 45-55 %,
// 5 inner 90-100 %, 15 ask), bits 0 to 3 the exponent of the blocks per command (15 ask).
struct TransferRange {
    std::uint32_t labelId;  // resource string of the range's label
    std::uint32_t startPercent;
    std::uint32_t endPercent;
};
// By preset index 0 to 3 (the range choice minus 2); index 4 is the custom range with the
// given percentages; false for anything else.
bool PresetRange(std::uint32_t index, std::uint32_t customStart, std::uint32_t customEnd, TransferRange& range);

}  // namespace sektra
