#pragma once
// What the detail list shows for a selected tree node, asked afresh from the device each
// time: the summary, INQUIRY data and VPD pages, the ATA identification, log and mode pages,
// defect lists, and the test entries with their sizes and variants.
#include "app/DetailRow.h"
#include "app/ItemCode.h"
#include "app/TextSource.h"

namespace sektra {

class Device;

// Rows for the node `code` of `device`. Category nodes, and anything a device refuses,
// give no rows.
DetailRows DescribeNode(Device& device, ItemCode code, const TextSource& texts);

// Whether the node's rows end in a hex dump (INQUIRY and VPD data, the ATA identification, log
// and mode pages, SMART and NVMe data), which the list shows in columns of a fixed-pitch font.
constexpr bool IsHexDumpNode(ItemCode code) {
    const std::uint32_t category = ItemCategoryOf(code);
    return category == kCategoryInquiry || category == kCategoryLogSense || category == kCategoryModeSense ||
           category == kCategorySmart || category == kCategoryNvme;
}

}  // namespace sektra
