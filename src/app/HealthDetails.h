#pragma once
// The detail rows of the sources that decode into labelled fields: the ATA identification
// block, the SMART attributes and the NVMe identify data and health log. Decoded rows come
// first, the reply's hex dump after them.
#include "app/DetailRow.h"
#include "app/TextSource.h"
#include "decode/DecodedField.h"

namespace sektra {

class Device;

// One row per field: the label's string in column 0, the value in column 1.
void AppendDecodedRows(DetailRows& rows, const TextSource& texts, const DecodedFields& fields);

void AppendAtaIdentifyRows(DetailRows& rows, const TextSource& texts, Device& device);
void AppendSmartRows(DetailRows& rows, const TextSource& texts, Device& device);
// `node` is kNodeNvmeController, kNodeNvmeNamespace or kNodeNvmeHealth.
void AppendNvmeRows(DetailRows& rows, const TextSource& texts, Device& device, std::uint32_t node);

}  // namespace sektra
