#include "app/DecodedRows.h"

#include <algorithm>
#include <cwchar>
#include <cstdint>
#include <vector>

#include "app/PageLists.h"
#include "decode/FieldText.h"
#include "decode/Inquiry.h"
#include "decode/LogPages.h"
#include "decode/ModePages.h"
#include "device/CommandOutcome.h"
#include "device/Device.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::uint8_t kCurrentCumulative = 1;  // LOG SENSE page control

// The bytes of a clean reply that really arrived, or none.
std::vector<std::uint8_t> Arrived(int result, const IoBuffer& io, std::vector<std::uint8_t> data) {
    if (!Clean(result, io)) return {};
    data.resize(std::min<std::size_t>(data.size(), io.transferred));
    return data;
}

std::vector<std::uint8_t> VpdReply(Device& device, std::uint8_t page) {
    std::vector<std::uint8_t> data(255, 0);
    IoBuffer io{data.data(), 255, {}};
    return Arrived(device.Inquiry(&io, false, true, page, 255), io, std::move(data));
}

std::vector<std::uint8_t> LogReply(Device& device, std::uint8_t page) {
    std::vector<std::uint8_t> data(1024, 0);
    IoBuffer io{data.data(), 1024, {}};
    return Arrived(device.LogSense(&io, false, false, kCurrentCumulative, page, 0, 1024), io, std::move(data));
}

std::vector<std::uint8_t> ModeReply(Device& device, std::uint8_t page) {
    std::vector<std::uint8_t> data(256, 0);
    IoBuffer io{data.data(), 256, {}};
    return Arrived(device.ModeSense10(&io, false, false, 0, page, 256), io, std::move(data));
}

// The fields of `decoded` with label `from`, under the label `to`.
void Pick(DecodedFields& out, const DecodedFields& decoded, unsigned from, unsigned to) {
    for (const DecodedField& f : decoded) {
        if (f.labelId == from) {
            out.push_back(DecodedField{to, f.value});
            return;
        }
    }
}

void AddBlockLengths(Device& device, DecodedFields& out) {
    std::vector<std::uint8_t> data(32, 0);
    IoBuffer io{data.data(), 32, {}};
    data = Arrived(device.ReadCapacity16(&io, 32), io, std::move(data));
    if (data.size() < 14) return;
    const std::uint64_t logical = std::uint64_t{data[8]} << 24 | data[9] << 16 | data[10] << 8 | data[11];
    const unsigned exponent = data[13] & 0x0F;
    out.push_back(DecodedField{IDS_FIELD_LOGICAL_SECTOR, Number(logical, kUnitBytes)});
    out.push_back(DecodedField{IDS_FIELD_PHYSICAL_SECTOR, Number(logical << exponent, kUnitBytes)});
}

void AddPowerOnHours(const DecodedFields& scan, DecodedFields& out) {
    // The page's minutes, read again as a number: hours are what a reader compares.
    for (const DecodedField& f : scan) {
        if (f.labelId != IDS_FIELD_POWER_ON_MINUTES) continue;
        const std::uint64_t minutes = std::wcstoull(f.value.c_str(), nullptr, 10);
        out.push_back(DecodedField{IDS_FIELD_POWER_ON_HOURS, Number(minutes / 60, kUnitHours)});
    }
}

void AddGrownDefects(Device& device, DecodedFields& out) {
    std::uint8_t header[4] = {};
    IoBuffer io{header, 4, {}};
    if (!Clean(device.ReadDefectData10(&io, false, true, 5, 4), io) || io.transferred < 4) return;
    const std::uint32_t bytes = static_cast<std::uint32_t>(header[2] << 8 | header[3]);
    out.push_back(DecodedField{IDS_FIELD_GROWN_DEFECTS, Number(bytes / 8)});
}

// Whether a page is in a device's list.
auto Lister(std::vector<std::uint8_t> pages) {
    return [pages = std::move(pages)](std::uint8_t page) { return std::find(pages.begin(), pages.end(), page) != pages.end(); };
}

DecodedFields Decoded(const std::vector<std::uint8_t>& data, DecodedFields (*decode)(const std::uint8_t*, std::size_t)) {
    return data.empty() ? DecodedFields() : decode(data.data(), data.size());
}

}  // namespace

void AppendDecodedRows(DetailRows& rows, const TextSource& texts, const DecodedFields& fields) {
    for (const DecodedField& f : fields) rows.push_back(DetailRow{texts.String(f.labelId), f.value, L"", 0, {}});
}

void MergeSummaryFields(DecodedFields& summary, const DecodedFields& more) {
    for (const DecodedField& f : more) {
        const bool held = std::any_of(summary.begin(), summary.end(),
                                      [&](const DecodedField& s) { return s.labelId == f.labelId; });
        if (!held) summary.push_back(f);
    }
}

DecodedFields ScsiSummaryFields(Device& device) {
    // Only pages the device lists are asked for, as the tree does.
    const std::vector<std::uint8_t> vpdList = VpdReply(device, 0x00);
    const std::vector<std::uint8_t> logList = LogReply(device, 0x00);
    const std::vector<std::uint8_t> modeList = ModeReply(device, 0x3F);
    const auto vpd = Lister(ListedVpdPages(vpdList.data(), vpdList.size()));
    const auto log = Lister(ListedLogPages(logList.data(), logList.size()));
    const auto mode = Lister(ListedModePages(modeList.data(), modeList.size()));

    DecodedFields out;
    if (vpd(0x80)) Pick(out, Decoded(VpdReply(device, 0x80), DecodeVpdPage), IDS_FIELD_SERIAL, IDS_FIELD_SERIAL);
    if (vpd(0xB1)) Pick(out, Decoded(VpdReply(device, 0xB1), DecodeVpdPage), IDS_FIELD_ROTATION, IDS_FIELD_ROTATION);
    AddBlockLengths(device, out);
    if (mode(0x08)) Pick(out, Decoded(ModeReply(device, 0x08), DecodeModeSense10), IDS_FIELD_WCE, IDS_FIELD_WRITE_CACHE);
    if (log(0x0D)) Pick(out, Decoded(LogReply(device, 0x0D), DecodeLogPage), IDS_FIELD_TEMPERATURE, IDS_FIELD_TEMPERATURE);
    if (log(0x15)) AddPowerOnHours(Decoded(LogReply(device, 0x15), DecodeLogPage), out);
    if (log(0x03)) Pick(out, Decoded(LogReply(device, 0x03), DecodeLogPage), IDS_FIELD_UNCORRECTED, IDS_FIELD_READ_UNCORRECTED);
    if (log(0x02)) Pick(out, Decoded(LogReply(device, 0x02), DecodeLogPage), IDS_FIELD_UNCORRECTED, IDS_FIELD_WRITE_UNCORRECTED);
    if (log(0x05)) Pick(out, Decoded(LogReply(device, 0x05), DecodeLogPage), IDS_FIELD_UNCORRECTED, IDS_FIELD_VERIFY_UNCORRECTED);
    if (log(0x11)) Pick(out, Decoded(LogReply(device, 0x11), DecodeLogPage), IDS_FIELD_PERCENT_USED, IDS_FIELD_PERCENT_USED);
    AddGrownDefects(device, out);
    return out;
}

}  // namespace sektra
