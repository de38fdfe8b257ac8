#include "decode/Inquiry.h"

#include "decode/FieldText.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

const wchar_t* PeripheralTypeName(unsigned type) {
    switch (type) {
        case 0x00: return L"ダイレクト アクセス ブロック デバイス";
        case 0x01: return L"シーケンシャル アクセス デバイス";
        case 0x05: return L"CD/DVD デバイス";
        case 0x07: return L"光学メモリー デバイス";
        case 0x08: return L"メディア チェンジャー";
        case 0x0C: return L"ストレージ アレイ コントローラー";
        case 0x0D: return L"エンクロージャー サービス";
        case 0x0E: return L"簡易ブロック デバイス";
        case 0x11: return L"オブジェクト ストレージ";
        case 0x14: return L"ホスト管理型ゾーン ブロック デバイス";
        case 0x1F: return L"不明";
        default: return nullptr;
    }
}

const wchar_t* VersionName(unsigned version) {
    switch (version) {
        case 0x00: return L"規格への準拠を主張しない";
        case 0x03: return L"SPC";
        case 0x04: return L"SPC-2";
        case 0x05: return L"SPC-3";
        case 0x06: return L"SPC-4";
        case 0x07: return L"SPC-5";
        default: return nullptr;
    }
}

// A text field of the standard data, shown only when the reply holds all of it.
void AddText(DecodedFields& fields, unsigned labelId, ReplyBytes reply, std::size_t at, std::size_t count) {
    if (reply.Has(at, count)) Add(fields, labelId, Ascii(reply.Slice(at, count)));
}

void DecodeSerial(DecodedFields& fields, ReplyBytes page) {
    Add(fields, IDS_FIELD_SERIAL, TrimmedAscii(page.Slice(4, page.Size())));
}

const wchar_t* AssociationName(unsigned association) {
    switch (association) {
        case 0: return L"論理ユニット";
        case 1: return L"ターゲット ポート";
        case 2: return L"ターゲット デバイス";
        default: return L"予約";
    }
}

const wchar_t* CodeSetName(unsigned codeSet) {
    switch (codeSet) {
        case 1: return L"バイナリ";
        case 2: return L"ASCII";
        case 3: return L"UTF-8";
        default: return L"予約";
    }
}

// One designation descriptor: the identifier, then its association and code set.
void DecodeDesignator(DecodedFields& fields, ReplyBytes d) {
    const unsigned codeSet = d.Byte(0) & 0x0F;
    const unsigned association = (d.Byte(1) >> 4) & 0x03;
    const unsigned type = d.Byte(1) & 0x0F;
    const ReplyBytes id = d.Slice(4, d.Byte(3));
    const std::wstring text = codeSet == 1 ? Hex(id) : Ascii(id);
    if (text.empty()) return;
    const std::wstring where = std::wstring(L" (") + AssociationName(association) + L", " + CodeSetName(codeSet) + L")";
    switch (type) {
        case 1: Add(fields, IDS_FIELD_ID_T10, text + where); break;
        case 2: Add(fields, IDS_FIELD_ID_EUI64, text + where); break;
        case 3: Add(fields, IDS_FIELD_ID_NAA, text + where); break;
        case 8: Add(fields, IDS_FIELD_ID_NAME, text + where); break;
        default: Add(fields, IDS_FIELD_ID_OTHER, L"タイプ " + std::to_wstring(type) + L": " + text + where); break;
    }
}

void DecodeIdentification(DecodedFields& fields, ReplyBytes page) {
    // Descriptors follow each other from byte 4; one cut by the end of the page is dropped.
    for (std::size_t at = 4; page.Has(at, 4);) {
        const std::size_t size = 4 + page.Byte(at + 3);
        if (!page.Has(at, size)) break;
        DecodeDesignator(fields, page.Slice(at, size));
        at += size;
    }
}

// A 4-byte count of blocks; 0 means the device does not report a limit.
std::wstring Blocks(ReplyBytes page, std::size_t at, std::size_t count) {
    const std::uint64_t value = page.BigEndian(at, count);
    return value == 0 ? L"0 (報告なし)" : Number(value, kUnitBlocks);
}

void DecodeBlockLimits(DecodedFields& fields, ReplyBytes page) {
    struct Limit {
        unsigned labelId;
        std::size_t at;
        std::size_t count;
    };
    const Limit limits[] = {
        {IDS_FIELD_MAX_TRANSFER, 8, 4},           {IDS_FIELD_OPTIMAL_TRANSFER, 12, 4},
        {IDS_FIELD_TRANSFER_GRANULARITY, 6, 2},   {IDS_FIELD_MAX_PREFETCH, 16, 4},
        {IDS_FIELD_MAX_UNMAP_LBAS, 20, 4},        {IDS_FIELD_UNMAP_GRANULARITY, 28, 4},
        {IDS_FIELD_MAX_WRITE_SAME, 36, 8},
    };
    for (const Limit& limit : limits) {
        if (page.Has(limit.at, limit.count)) Add(fields, limit.labelId, Blocks(page, limit.at, limit.count));
    }
    if (page.Has(24, 4)) Add(fields, IDS_FIELD_MAX_UNMAP_DESCRIPTORS, Number(page.BigEndian(24, 4)));
    if (page.Has(32, 4)) {
        const bool valid = (page.Byte(32) & 0x80) != 0;
        const std::uint64_t alignment = page.BigEndian(32, 4) & 0x7FFFFFFF;
        Add(fields, IDS_FIELD_UNMAP_ALIGNMENT, valid ? Number(alignment, kUnitBlocks) : L"報告なし (UGAVALID=0)");
    }
}

std::wstring RotationRate(unsigned rate) {
    if (rate == 0) return L"0 (報告なし)";
    if (rate == 1) return L"1 (非回転メディア、SSD)";
    if (rate >= 0x401 && rate <= 0xFFFE) return Number(rate, L"rpm");
    return Named(rate, L"予約");
}

const wchar_t* FormFactorName(unsigned factor) {
    switch (factor) {
        case 0: return L"報告なし";
        case 1: return L"5.25 インチ";
        case 2: return L"3.5 インチ";
        case 3: return L"2.5 インチ";
        case 4: return L"1.8 インチ";
        case 5: return L"1.8 インチ未満";
        default: return L"予約";
    }
}

void DecodeCharacteristics(DecodedFields& fields, ReplyBytes page) {
    if (page.Has(4, 2)) Add(fields, IDS_FIELD_ROTATION, RotationRate(static_cast<unsigned>(page.BigEndian(4, 2))));
    if (page.Has(7, 1)) Add(fields, IDS_FIELD_FORM_FACTOR, Named(page.Byte(7) & 0x0F, FormFactorName(page.Byte(7) & 0x0F)));
}

const wchar_t* ProvisioningName(unsigned type) {
    switch (type) {
        case 0: return L"フル プロビジョニング (または報告なし)";
        case 1: return L"リソース プロビジョニング";
        case 2: return L"シン プロビジョニング";
        default: return L"予約";
    }
}

void DecodeProvisioning(DecodedFields& fields, ReplyBytes page) {
    if (page.Has(4, 1)) Add(fields, IDS_FIELD_THRESHOLD_EXPONENT, Number(page.Byte(4)));
    if (page.Has(5, 1)) {
        const std::uint8_t b = page.Byte(5);
        Add(fields, IDS_FIELD_LBPU, Flag(L"LBPU", b & 0x80, L"対応", L"非対応"));
        Add(fields, IDS_FIELD_LBPWS, Flag(L"LBPWS", b & 0x40, L"対応", L"非対応"));
        Add(fields, IDS_FIELD_LBPWS10, Flag(L"LBPWS10", b & 0x20, L"対応", L"非対応"));
        Add(fields, IDS_FIELD_LBPRZ, Number((b >> 2) & 0x07));
        Add(fields, IDS_FIELD_ANC_SUP, Flag(L"ANC_SUP", b & 0x02, L"対応", L"非対応"));
    }
    if (page.Has(6, 1)) Add(fields, IDS_FIELD_PROVISIONING, Named(page.Byte(6) & 0x07, ProvisioningName(page.Byte(6) & 0x07)));
}

}  // namespace

DecodedFields DecodeStandardInquiry(const std::uint8_t* data, std::size_t length) {
    DecodedFields fields;
    const ReplyBytes reply = ReplyBytes(data, length).Own(4, 1, 5);
    if (reply.Size() < 1) return fields;
    const unsigned type = reply.Byte(0) & 0x1F;
    Add(fields, IDS_FIELD_PERIPHERAL_TYPE, Named(type, PeripheralTypeName(type)));
    Add(fields, IDS_FIELD_PERIPHERAL_QUALIFIER, Number(reply.Byte(0) >> 5));
    if (reply.Has(1, 1)) Add(fields, IDS_FIELD_REMOVABLE, YesNo(L"RMB", reply.Byte(1) & 0x80));
    if (reply.Has(2, 1)) Add(fields, IDS_FIELD_VERSION, Named(reply.Byte(2), VersionName(reply.Byte(2))));
    if (reply.Has(3, 1)) {
        Add(fields, IDS_FIELD_RESPONSE_FORMAT, Number(reply.Byte(3) & 0x0F));
        Add(fields, IDS_FIELD_HISUP, YesNo(L"HiSup", reply.Byte(3) & 0x10));
    }
    if (reply.Has(5, 1)) Add(fields, IDS_FIELD_PROTECT, YesNo(L"PROTECT", reply.Byte(5) & 0x01));
    if (reply.Has(7, 1)) Add(fields, IDS_FIELD_CMDQUE, YesNo(L"CmdQue", reply.Byte(7) & 0x02));
    AddText(fields, IDS_FIELD_VENDOR, reply, 8, 8);
    AddText(fields, IDS_FIELD_PRODUCT, reply, 16, 16);
    AddText(fields, IDS_FIELD_PRODUCT_REVISION, reply, 32, 4);
    return fields;
}

DecodedFields DecodeVpdPage(const std::uint8_t* data, std::size_t length) {
    DecodedFields fields;
    const ReplyBytes page = ReplyBytes(data, length).Own(2, 2, 4);
    if (page.Size() < 4) return fields;
    switch (page.Byte(1)) {
        case 0x80: DecodeSerial(fields, page); break;
        case 0x83: DecodeIdentification(fields, page); break;
        case 0xB0: DecodeBlockLimits(fields, page); break;
        case 0xB1: DecodeCharacteristics(fields, page); break;
        case 0xB2: DecodeProvisioning(fields, page); break;
        default: break;
    }
    return fields;
}

}  // namespace sektra
