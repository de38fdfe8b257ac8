#pragma once
// Decoded fields as detail rows, and the device summary's first-read fields. The summary
// takes fields from every source a device answers; each source gives DecodedFields and
// MergeSummaryFields keeps the first value of each label, so a field that two sources report
// (a serial number from VPD 80h and from IDENTIFY, say) shows once, from the earlier source.
#include "app/DetailRow.h"
#include "app/TextSource.h"
#include "decode/DecodedField.h"

namespace sektra {

class Device;

// One row per field: the label's string from the language module, the value as it is.
void AppendDecodedRows(DetailRows& rows, const TextSource& texts, const DecodedFields& fields);

// Adds to `summary` the fields of `more` whose labels it does not hold yet, in their order.
void MergeSummaryFields(DecodedFields& summary, const DecodedFields& more);

// The SCSI sources' first-read fields: serial (VPD 80h), rotation rate (B1h), logical and
// physical block length (READ CAPACITY(16)), write cache (mode page 08h), temperature (log
// 0Dh), power-on hours (log 15h), uncorrected read, write and verify errors (03h, 02h, 05h),
// percentage used (11h) and the grown defect count. What the device refuses is left out.
DecodedFields ScsiSummaryFields(Device& device);

}  // namespace sektra
