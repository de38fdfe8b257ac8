#include "app/DetailTables.h"

#include "app/IntegerFormat.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

DetailRow Row(std::wstring label, std::wstring value = std::wstring(),
              std::wstring remark = std::wstring(), ItemCode code = 0) {
    return DetailRow{std::move(label), std::move(value), std::move(remark), code, {}};
}

std::wstring Unsigned(std::uint64_t value, const wchar_t* suffix = L"") {
    return std::to_wstring(value) + suffix;
}

std::uint32_t BigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
    return value;
}

}  // namespace

std::uint32_t FirstSizeBlocks(std::uint32_t blockLength) { return blockLength < 1024 ? 2 : 1; }

void AppendSummaryRows(DetailRows& rows, const TextSource& texts, const std::wstring& model,
                       const std::wstring& revision, std::uint64_t lastLba, std::uint32_t blockLength) {
    const std::uint64_t blocks = lastLba + 1;
    const std::uint64_t bytes = blocks * blockLength;
    const std::wstring capacity = texts.String(IDS_SUMMARY_CAPACITY);
    rows.push_back(Row(texts.String(IDS_SUMMARY_MODEL), model));
    rows.push_back(Row(texts.String(IDS_SUMMARY_REVISION), revision));
    rows.push_back(Row(texts.String(IDS_SUMMARY_BLOCKS), Unsigned(blocks)));
    rows.push_back(Row(texts.String(IDS_SUMMARY_BLOCK_LENGTH), Unsigned(blockLength), L"bytes"));
    rows.push_back(Row(capacity, Unsigned(bytes), L"bytes"));
    rows.push_back(Row(capacity, Unsigned(bytes / 1000000, L" MB"), L"1 MB = 1,000,000 bytes"));
    rows.push_back(Row(capacity, Unsigned(bytes / 1048576, L" MB"), L"1 MB = 1,048,576 bytes"));
    rows.push_back(Row(capacity, Unsigned(bytes / 1000000000, L" GB"), L"1 GB = 1,000,000,000 bytes"));
    rows.push_back(Row(capacity, Unsigned(bytes / 1073741824, L" GB"), L"1 GB = 1,073,741,824 bytes"));
}

void AppendDefectListRows(DetailRows& rows, const TextSource& texts, bool primary,
                          const std::uint8_t* data, std::size_t length) {
    // A list length that wrapped below the 4-byte header has no entries.
    const std::size_t count = length >= 4 ? (length - 4) / 8 : 0;
    rows.push_back(Row(texts.String(primary ? IDS_TREE_PRIMARY_DEFECTS : IDS_TREE_GROWN_DEFECTS)));
    rows.push_back(Row(texts.String(IDS_DEFECT_COUNT), Unsigned(count)));
    const std::wstring entryFormat = texts.String(IDS_DEFECT_ENTRY);
    for (std::size_t i = 1; i <= count; ++i) {
        const std::uint8_t* entry = data + 4 + (i - 1) * 8;
        const int cylinder = static_cast<int>(BigEndian(entry, 3) & 0xFFFF);
        const int head = entry[3];
        const auto sector = static_cast<std::int32_t>(BigEndian(entry + 4, 4));
        rows.push_back(Row(FormatInteger(entryFormat, static_cast<std::int64_t>(i)),
                           L"C:" + std::to_wstring(cylinder) + L", H:" + std::to_wstring(head) +
                               L", S:" + std::to_wstring(sector)));
    }
}

void AppendBlockSizeRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                         std::uint64_t lastLba, std::uint32_t blockLength, std::uint32_t maxBytes,
                         std::int32_t maxBlocks) {
    if (lastLba == 0 || blockLength == 0 || maxBytes == 0) return;
    const std::uint32_t limit = 1048576 / blockLength;
    const std::wstring refusal = maxBlocks > 0 ? FormatInteger(texts.String(IDS_NOT_READY_TRANSFER), maxBlocks)
                                               : texts.String(IDS_NOT_READY_NO_LIMIT);
    std::uint32_t n = FirstSizeBlocks(blockLength);
    for (int k = n == 2 ? 1 : 0; n <= limit && k <= kMaxSizeExponent; n *= 2, ++k) {
        const bool ready = maxBlocks > 0 && n <= static_cast<std::uint32_t>(maxBlocks);
        std::wstring sectors = FormatInteger(L"%4d Sectors", n);
        if (n == 1) sectors.resize(11);  // "   1 Sector"
        rows.push_back(Row(FormatInteger(L"%4d KB Test", std::uint64_t{n} * blockLength / 1024),
                           ready ? L"Test Ready" : L"Test Not Ready", sectors,
                           ready ? code | (kChoiceFirstSize + k) : 0));
        if (!ready) rows.back().refusal = refusal;
    }
    rows.push_back(Row(texts.String(IDS_OTHER_SIZE_ROW), L"Test Ready", L"", code | kChoiceOtherSize));
}

void AppendBufferSizeRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                          std::int32_t maxReadBufferBytes) {
    const std::int32_t maxKB = maxReadBufferBytes / 1024;
    const std::wstring refusal = maxReadBufferBytes > 0 ? FormatInteger(texts.String(IDS_NOT_READY_BUFFER), maxKB)
                                                        : texts.String(IDS_NOT_READY_NO_BUFFER);
    for (int k = 0; k <= 10; ++k) {
        const bool ready = (1 << k) <= maxKB;
        rows.push_back(Row(FormatInteger(L"%4d KB Test", 1 << k), ready ? L"Test Ready" : L"Test Not Ready",
                           L"", ready ? code | (kChoiceFirstSize + k) : 0));
        if (!ready) rows.back().refusal = refusal;
    }
    rows.push_back(Row(texts.String(IDS_OTHER_SIZE_ROW), L"Test Ready", L"", code | kChoiceOtherSize));
}

void AppendTransferVariantRows(DetailRows& rows, const TextSource& texts, ItemCode code,
                               std::uint64_t lastLba, std::uint32_t blockLength,
                               const std::wstring& format) {
    if (lastLba == 0 || blockLength == 0) return;
    if ((code & 0x0F) == 0x0F) {
        rows.push_back(Row(texts.String(IDS_OTHER_SIZE_ROW), L"", L"", code | kChoiceOtherVariant));
        return;
    }
    const std::uint64_t blocks = std::uint64_t{1} << (code & 0x0F);
    const std::wstring text = FormatInteger(format, static_cast<std::int64_t>(blocks * blockLength / 1024));
    const ItemCode base = code & ~ItemCode{0xF0};
    for (unsigned v = 0; v < 4; ++v) {
        rows.push_back(Row(text, texts.String(IDS_RANGE_FULL + v), L"", base | (0x20 + 0x10 * v)));
    }
}

void AppendSeekRows(DetailRows& rows, const TextSource& texts, ItemCode code) {
    rows.push_back(Row(L"Seek Test", texts.String(IDS_SEEK_STANDARD), L"", code | kChoiceFirstSize));
    rows.push_back(Row(L"Seek Test", texts.String(IDS_OTHER_SIZE_ROW), L"", code | kChoiceOtherSize));
}

}  // namespace sektra
