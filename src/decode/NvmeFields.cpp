#include "decode/NvmeFields.h"

#include "decode/ReplyBytes.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

class FieldList {
public:
    explicit FieldList(const ReplyBytes& b) : b_(b) {}

    void Add(unsigned label, std::wstring value) { fields_.push_back(DecodedField{label, std::move(value)}); }
    // Adds the field only when its bytes lie inside the reply.
    template <typename Format>
    void AddAt(std::size_t offset, std::size_t size, unsigned label, Format format) {
        if (b_.Has(offset, size)) Add(label, format());
    }
    DecodedFields Take() { return std::move(fields_); }

private:
    const ReplyBytes& b_;
    DecodedFields fields_;
};

// "1.4.0" from the VER field: major in bits 31-16, minor in 15-8, tertiary in 7-0.
std::wstring VersionText(std::uint64_t ver) {
    if (ver == 0) return L"報告なし (1.2 より前)";
    return DecimalText(ver >> 16 & 0xFFFF) + L"." + DecimalText(ver >> 8 & 0xFF) + L"." + DecimalText(ver & 0xFF);
}

std::wstring CriticalWarningText(std::uint8_t bits) {
    static const wchar_t* const kBits[] = {
        L"予備領域がしきい値未満", L"温度がしきい値を超過", L"信頼性の低下",
        L"読み取り専用", L"揮発性メモリーのバックアップ失敗", L"永続メモリー領域が読み取り専用",
    };
    std::wstring text = HexText(bits, 2);
    if (bits == 0) return text + L" (なし)";
    std::wstring names;
    for (unsigned i = 0; i < 6; ++i) {
        if (bits & (1u << i)) names += (names.empty() ? L"" : L", ") + std::wstring(kBits[i]);
    }
    return text + L" (" + names + L")";
}

std::wstring KelvinText(std::uint64_t kelvin) {
    if (kelvin == 0) return L"報告なし";
    const long long celsius = static_cast<long long>(kelvin) - 273;
    const std::wstring degrees = celsius < 0 ? L"-" + DecimalText(static_cast<std::uint64_t>(-celsius))
                                             : DecimalText(static_cast<std::uint64_t>(celsius));
    return degrees + L" °C (" + DecimalText(kelvin) + L" K)";
}

// Data units count thousands of 512-byte blocks.
std::wstring DataUnitsText(Uint128 units) {
    return DecimalGigabytes(MultiplyBy(units, 512000)) + L" (" + DecimalText(units) + L" 単位)";
}

}  // namespace

DecodedFields DecodeNvmeIdentifyController(const std::uint8_t* data, std::size_t length) {
    const ReplyBytes b(data, length);
    FieldList f(b);
    f.AddAt(24, 40, IDS_FIELD_MODEL, [&] { return b.Ascii(24, 40); });
    f.AddAt(4, 20, IDS_FIELD_SERIAL, [&] { return b.Ascii(4, 20); });
    f.AddAt(64, 8, IDS_FIELD_FIRMWARE, [&] { return b.Ascii(64, 8); });
    f.AddAt(0, 2, IDS_NVME_PCI_VENDOR, [&] { return HexText(b.Le(0, 2), 4); });
    f.AddAt(2, 2, IDS_NVME_PCI_SUBSYSTEM, [&] { return HexText(b.Le(2, 2), 4); });
    f.AddAt(78, 2, IDS_NVME_CONTROLLER_ID, [&] { return DecimalText(b.Le(78, 2)); });
    f.AddAt(80, 4, IDS_NVME_VERSION, [&] { return VersionText(b.Le(80, 4)); });
    f.AddAt(280, 16, IDS_NVME_TOTAL_CAPACITY, [&] { return BytesText(b.Le128(280)); });
    f.AddAt(516, 4, IDS_NVME_NAMESPACES, [&] { return DecimalText(b.Le(516, 4)); });
    return f.Take();
}

DecodedFields DecodeNvmeIdentifyNamespace(const std::uint8_t* data, std::size_t length) {
    const ReplyBytes b(data, length);
    FieldList f(b);
    f.AddAt(0, 8, IDS_NVME_NAMESPACE_SIZE, [&] { return WithUnit(b.Le(0, 8), L"ブロック"); });
    f.AddAt(8, 8, IDS_NVME_NAMESPACE_CAPACITY, [&] { return WithUnit(b.Le(8, 8), L"ブロック"); });
    f.AddAt(16, 8, IDS_NVME_NAMESPACE_USED, [&] { return WithUnit(b.Le(16, 8), L"ブロック"); });
    if (!b.Has(26, 1)) return f.Take();
    // FLBAS bits 3-0 select one of the LBA format descriptors at byte 128, 4 bytes each; the
    // block size is 2^LBADS (bits 23-16), and sizes below 512 bytes are not allowed.
    const std::size_t format = b.Le(26, 1) & 0x0F;
    f.Add(IDS_NVME_LBA_FORMAT, DecimalText(format));
    const std::size_t descriptor = 128 + 4 * format;
    if (!b.Has(descriptor, 4)) return f.Take();
    const unsigned lbads = static_cast<unsigned>(b.Le(descriptor + 2, 1));
    if (lbads < 9 || lbads > 31) {
        f.Add(IDS_FIELD_LOGICAL_SECTOR, L"無効 (LBADS " + DecimalText(lbads) + L")");
        return f.Take();
    }
    const std::uint64_t blockSize = std::uint64_t{1} << lbads;
    f.Add(IDS_FIELD_LOGICAL_SECTOR, WithUnit(blockSize, L"バイト"));
    f.AddAt(0, 8, IDS_FIELD_CAPACITY, [&] { return BytesText(Multiply128(b.Le(0, 8), blockSize)); });
    return f.Take();
}

DecodedFields DecodeNvmeHealthLog(const std::uint8_t* data, std::size_t length) {
    const ReplyBytes b(data, length);
    FieldList f(b);
    f.AddAt(0, 1, IDS_NVME_CRITICAL_WARNING, [&] { return CriticalWarningText(static_cast<std::uint8_t>(b.Le(0, 1))); });
    f.AddAt(1, 2, IDS_FIELD_TEMPERATURE, [&] { return KelvinText(b.Le(1, 2)); });
    f.AddAt(3, 1, IDS_NVME_SPARE, [&] { return WithUnit(b.Le(3, 1), L"%"); });
    f.AddAt(4, 1, IDS_NVME_SPARE_THRESHOLD, [&] { return WithUnit(b.Le(4, 1), L"%"); });
    // Percentage used may exceed 100 (up to 255) when the disk outlives its rated endurance.
    f.AddAt(5, 1, IDS_NVME_PERCENTAGE_USED, [&] { return WithUnit(b.Le(5, 1), L"%"); });
    f.AddAt(32, 16, IDS_NVME_DATA_READ, [&] { return DataUnitsText(b.Le128(32)); });
    f.AddAt(48, 16, IDS_NVME_DATA_WRITTEN, [&] { return DataUnitsText(b.Le128(48)); });
    f.AddAt(112, 16, IDS_FIELD_POWER_CYCLES, [&] { return WithUnit(b.Le128(112), L"回"); });
    f.AddAt(128, 16, IDS_FIELD_POWER_ON_HOURS, [&] { return WithUnit(b.Le128(128), L"時間"); });
    f.AddAt(144, 16, IDS_NVME_UNSAFE_SHUTDOWNS, [&] { return WithUnit(b.Le128(144), L"回"); });
    f.AddAt(160, 16, IDS_NVME_MEDIA_ERRORS, [&] { return DecimalText(b.Le128(160)); });
    f.AddAt(176, 16, IDS_NVME_ERROR_LOG_ENTRIES, [&] { return DecimalText(b.Le128(176)); });
    return f.Take();
}

}  // namespace sektra
