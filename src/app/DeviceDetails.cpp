#include "app/DeviceDetails.h"

#include <cstdint>
#include <vector>

#include "app/DecodedRows.h"
#include "app/DetailTables.h"
#include "app/HealthDetails.h"
#include "app/HexDump.h"
#include "app/IntegerFormat.h"
#include "app/TestNames.h"
#include "decode/Inquiry.h"
#include "decode/LogPages.h"
#include "decode/ModePages.h"
#include "device/Device.h"
#include "device/CommandOutcome.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::uint8_t kCurrentCumulative = 1;  // LOG SENSE page control

std::uint32_t BigEndian16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0]) << 8 | p[1]; }

// A zeroed reply buffer of `size` bytes (at least one, so the data pointer is never null)
// and the IoBuffer that hands `size` of them to the device.
struct Reply {
    std::vector<std::uint8_t> data;
    IoBuffer io;
    explicit Reply(std::uint32_t size) : data(size == 0 ? 1 : size, 0), io{data.data(), size, {}} {}
    bool Clean(int result) const { return sektra::Clean(result, io); }
    // How many of the first `length` bytes the device really sent.
    std::size_t Arrived(std::size_t length) const { return io.transferred < length ? io.transferred : length; }
};

class DetailBuilder {
public:
    DetailBuilder(Device& device, const TextSource& texts) : device_(device), texts_(texts) {}

    DetailRows Describe(ItemCode code) {
        switch (ItemCategoryOf(code)) {
            case kCategoryDevice: ShowSummary(); break;
            case kCategoryTests: ShowTest(code); break;
            case kCategoryInquiry:
                if (ItemNode(code) == 1 || ItemNode(code) == 2) ShowInquiryData(code);
                else if (ItemNode(code) == 3) AppendAtaIdentifyRows(rows_, texts_, device_);
                break;
            case kCategorySmart:
                if ((code & 0xFF00) == kNodeSmartAttributes) AppendSmartRows(rows_, texts_, device_);
                break;
            case kCategoryNvme: AppendNvmeRows(rows_, texts_, device_, code & 0xFF00); break;
            case kCategoryLogSense: ShowLogPage(code); break;
            case kCategoryModeSense: ShowModePage(code); break;
            case kCategoryDefects: ShowDefectList(code); break;
            default: break;
        }
        return std::move(rows_);
    }

private:
    std::wstring Text(unsigned id) const { return texts_.String(id); }

    void ShowSummary() {
        std::uint64_t lastLba = 0;
        std::uint32_t blockLength = 0;
        device_.GetCapacity(&lastLba, &blockLength);  // a failure shows as one block of nothing
        const std::wstring model = DeviceText(device_.GetModelName());
        const std::wstring revision = DeviceText(device_.GetRevision());
        AppendSummaryRows(rows_, texts_, model, revision, lastLba, blockLength);
        // The first-read fields of every source the device answers, earlier sources first.
        // IDENTIFY's serial number wins over the translated VPD 80h of a SATA disk.
        DecodedFields summary;
        MergeSummaryFields(summary, HealthSummaryFields(device_));
        MergeSummaryFields(summary, ScsiSummaryFields(device_));
        AppendDecodedRows(rows_, texts_, summary);
    }

    void ShowInquiryData(ItemCode code) {
        const bool page = ItemNode(code) == 2;
        const std::uint8_t pageCode = page ? static_cast<std::uint8_t>(ItemChoice(code)) : 0;
        const std::wstring title =
            Text(IDS_TREE_INQUIRY) + L" " + (page ? FormatInteger(Text(IDS_TREE_VPD_PAGE), pageCode) : Text(IDS_TREE_STANDARD_INQUIRY));
        Reply header(256);
        if (!header.Clean(device_.Inquiry(&header.io, false, page, pageCode, 5))) return;
        // The additional length in 8 bits, as the allocation field holds it; 0 asks for 255.
        std::uint8_t length = page ? static_cast<std::uint8_t>(header.data[3] + 4)
                                   : static_cast<std::uint8_t>(header.data[4] + 5);
        if (length == 0) length = 255;
        Reply full(256);
        if (!full.Clean(device_.Inquiry(&full.io, false, page, pageCode, length))) return;
        const std::size_t arrived = full.Arrived(length);
        AppendDecodedRows(rows_, texts_, page ? DecodeVpdPage(full.data.data(), arrived)
                                              : DecodeStandardInquiry(full.data.data(), arrived));
        AppendHexDump(rows_, title, full.data.data(), length);
    }

    // The device's current cumulative values (page control 1), as the tree lists them.
    void ShowLogPage(ItemCode code) {
        if (ItemNode(code) != 1) return;
        const std::uint8_t page = code & 0x3F;
        Reply header(4);
        if (!header.Clean(device_.LogSense(&header.io, false, false, kCurrentCumulative, page, 0, 4))) return;
        const auto length = static_cast<std::uint16_t>(BigEndian16(&header.data[2]) + 4);
        Reply full(length);
        if (!full.Clean(device_.LogSense(&full.io, false, false, kCurrentCumulative, page, 0, length))) return;
        AppendDecodedRows(rows_, texts_, DecodeLogPage(full.data.data(), full.Arrived(length)));
        AppendHexDump(rows_, FormatInteger(Text(IDS_TREE_LOG_PAGE), page), full.data.data(), length);
    }

    void ShowModePage(ItemCode code) {
        if (ItemNode(code) != 1) return;
        const std::uint8_t page = code & 0x3F;
        Reply header(2);
        if (!header.Clean(device_.ModeSense10(&header.io, false, false, 0, page, 2))) return;
        const std::uint32_t dataLength = BigEndian16(&header.data[0]);
        const auto length = static_cast<std::uint16_t>(dataLength == 0 ? 8 : dataLength + 2);
        Reply full(length);
        if (!full.Clean(device_.ModeSense10(&full.io, false, false, 0, page, length))) return;
        // Skip the 8-byte header and the block descriptors; a reply that leaves no page data
        // (or is too short to hold the header) shows nothing.
        if (length < 8) return;
        const std::uint32_t offset = BigEndian16(&full.data[6]) + 8;
        if (offset >= length) return;
        AppendDecodedRows(rows_, texts_, DecodeModeSense10(full.data.data(), full.Arrived(length)));
        AppendHexDump(rows_, FormatInteger(Text(IDS_TREE_MODE_PAGE), page), full.data.data() + offset, length - offset);
    }

    void ShowDefectList(ItemCode code) {
        const bool primary = ItemNode(code) == 1;
        if (!primary && ItemNode(code) != 2) return;
        Reply header(4);
        if (!header.Clean(device_.ReadDefectData10(&header.io, primary, !primary, 5, 4))) return;
        const auto length = static_cast<std::uint16_t>(BigEndian16(&header.data[2]) + 4);
        Reply full(length);
        if (!full.Clean(device_.ReadDefectData10(&full.io, primary, !primary, 5, length))) return;
        AppendDefectListRows(rows_, texts_, primary, full.data.data(), length);
    }

    void ShowTest(ItemCode code) {
        const wchar_t* name = TestEnglishName(code);
        if (name == nullptr) return;
        rows_.push_back(DetailRow{DeviceText(device_.GetModelNameWithRevision()), L"", L"", 0, {}});
        rows_.push_back(DetailRow{name, L"", L"", 0, {}});
        const bool node = ItemChoice(code) == 0;
        switch (ItemTest(code)) {
            case kTestCacheHit:
                if (node) ShowBlockSizes(code);
                break;
            case kTestSeek: AppendSeekRows(rows_, texts_, code); break;
            case kTestSequentialRead: ShowTransfer(code, L"Seq. Read Test(%d KB)"); break;
            case kTestSequentialWrite: ShowTransfer(code, L"Seq. Write Test(%d KB)"); break;
            case kTestRandomRead: ShowTransfer(code, L"Rnd. Read Test(%d KB)"); break;
            case kTestRandomWrite: ShowTransfer(code, L"Rnd. Write Test(%d KB)"); break;
            case kTestReadBuffer:
            case kTestWriteBuffer:
                if (node) AppendBufferSizeRows(rows_, texts_, code, device_.GetMaxReadBufferBytes());
                break;
            default: break;
        }
    }

    void ShowTransfer(ItemCode code, const wchar_t* format) {
        if (ItemChoice(code) == 0) {
            ShowBlockSizes(code);
            return;
        }
        std::uint64_t lastLba = 0;
        std::uint32_t blockLength = 0;
        device_.GetCapacity(&lastLba, &blockLength);
        AppendTransferVariantRows(rows_, texts_, code, lastLba, blockLength, format);
    }

    void ShowBlockSizes(ItemCode code) {
        const std::uint32_t maxBytes = device_.GetMaxTransferBytes();
        std::uint64_t lastLba = 0;
        std::uint32_t blockLength = 0;
        if (device_.GetCapacity(&lastLba, &blockLength) != 0) return;
        if (lastLba == 0 || blockLength == 0 || maxBytes == 0) return;
        AppendBlockSizeRows(rows_, texts_, code, lastLba, blockLength, maxBytes, device_.GetMaxReadSectors());
    }

    Device& device_;
    const TextSource& texts_;
    DetailRows rows_;
};

}  // namespace

DetailRows DescribeNode(Device& device, ItemCode code, const TextSource& texts) {
    return DetailBuilder(device, texts).Describe(code);
}

}  // namespace sektra
