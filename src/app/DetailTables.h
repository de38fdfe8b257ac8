#pragma once
// The detail rows that are arithmetic on values a device already answered: the summary, the
// defect list, and the size rows of the tests. The device-facing side (DeviceDetails) asks
// the device and hands the answers here.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/DetailRow.h"
#include "app/TextSource.h"

namespace sektra {

// Model, revision, blocks, block length and the capacity in bytes, decimal MB/GB and binary
// MB/GB (truncating). blocks = lastLba + 1, so a failed capacity query shows 1 block, 0 bytes.
void AppendSummaryRows(DetailRows& rows, const TextSource& texts, const std::wstring& model,
                       const std::wstring& revision, std::uint64_t lastLba, std::uint32_t blockLength);

// A READ DEFECT DATA(10) reply in the physical-sector format: the list's name, the entry
// count, then one "C:%d, H:%d, S:%d" row per 8-byte entry that lies within `length`.
void AppendDefectListRows(DetailRows& rows, const TextSource& texts, bool primary,
                          const std::uint8_t* data, std::size_t length);

// Size rows of the cache-hit and transfer tests, counted in blocks: 1 KB (512-byte blocks) or
// one block (larger blocks) up to 1 MB; sizes above `maxBlocks` are "Test Not Ready" with code
// 0 and a refusal naming the adapter's limit. Then the other-size row. Nothing when a value is 0.
void AppendBlockSizeRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                         std::uint64_t lastLba, std::uint32_t blockLength, std::uint32_t maxBytes,
                         std::int32_t maxBlocks);

// Size rows of the buffer tests, 1 KB to 1024 KB against the device buffer (a larger size's
// refusal names the buffer), then other-size.
void AppendBufferSizeRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                          std::int32_t maxReadBufferBytes);

// The four range variants of one transfer size (or the one row of the other-size entry).
// `format` takes the size in KB, e.g. "Seq. Read Test(%d KB)".
void AppendTransferVariantRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                               std::uint64_t lastLba, std::uint32_t blockLength,
                               const std::wstring& format);

// The seek test's two rows: the standard run and the other-size entry.
void AppendSeekRows(DetailRows& rows, const TextSource& texts, ItemCode code);

// The first block count offered for a block length: 2 blocks (1 KB) below 1024 bytes, else 1.
std::uint32_t FirstSizeBlocks(std::uint32_t blockLength);

}  // namespace sektra
