#include "decode/ModePages.h"

#include "decode/FieldText.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::size_t kHeaderBytes = 8;

void DecodeCaching(DecodedFields& fields, ReplyBytes page) {
    if (page.Has(2, 1)) {
        Add(fields, IDS_FIELD_WCE, Flag(L"WCE", page.Byte(2) & 0x04, L"有効", L"無効"));
        Add(fields, IDS_FIELD_RCD, Flag(L"RCD", page.Byte(2) & 0x01, L"無効", L"有効"));
    }
    if (page.Has(12, 1)) Add(fields, IDS_FIELD_DRA, Flag(L"DRA", page.Byte(12) & 0x20, L"無効", L"有効"));
    if (page.Has(13, 1)) Add(fields, IDS_FIELD_CACHE_SEGMENTS, Number(page.Byte(13)));
}

const wchar_t* QamName(unsigned qam) {
    switch (qam) {
        case 0: return L"順序を制限";
        case 1: return L"順序を制限しない";
        default: return nullptr;
    }
}

void DecodeControl(DecodedFields& fields, ReplyBytes page) {
    if (page.Has(2, 1)) {
        const std::uint8_t b = page.Byte(2);
        Add(fields, IDS_FIELD_TST, Number(b >> 5));
        Add(fields, IDS_FIELD_D_SENSE, Flag(L"D_SENSE", b & 0x04, L"記述子形式", L"固定形式"));
        Add(fields, IDS_FIELD_GLTSD, Flag(L"GLTSD", b & 0x02, L"保存しない", L"保存する"));
    }
    if (page.Has(3, 1)) Add(fields, IDS_FIELD_QAM, Named(page.Byte(3) >> 4, QamName(page.Byte(3) >> 4)));
    if (page.Has(4, 1)) Add(fields, IDS_FIELD_SWP, Flag(L"SWP", page.Byte(4) & 0x08, L"保護", L"保護なし"));
    if (page.Has(8, 2)) {
        // In units of 100 ms; FFFFh allows an unlimited busy time.
        const std::uint64_t busy = page.BigEndian(8, 2);
        Add(fields, IDS_FIELD_BUSY_TIMEOUT, busy == 0xFFFF ? L"65535 (無制限)" : Number(busy * 100, L"ミリ秒"));
    }
    if (page.Has(10, 2)) Add(fields, IDS_FIELD_SELF_TEST_TIME, Number(page.BigEndian(10, 2), kUnitSeconds));
}

const wchar_t* MrieName(unsigned mrie) {
    switch (mrie) {
        case 0: return L"報告しない";
        case 1: return L"非同期イベント通知";
        case 2: return L"ユニット アテンションを生成";
        case 3: return L"回復済みエラーとして条件付きで報告";
        case 4: return L"回復済みエラーとして無条件に報告";
        case 5: return L"センス なしとして報告";
        case 6: return L"要求があったときだけ報告";
        default: return nullptr;
    }
}

void DecodeInformationalExceptions(DecodedFields& fields, ReplyBytes page) {
    if (page.Has(2, 1)) {
        const std::uint8_t b = page.Byte(2);
        Add(fields, IDS_FIELD_DEXCPT, Flag(L"DEXCPT", b & 0x08, L"無効", L"有効"));
        Add(fields, IDS_FIELD_PERF, YesNo(L"PERF", b & 0x80));
        Add(fields, IDS_FIELD_EWASC, Flag(L"EWASC", b & 0x10, L"有効", L"無効"));
        Add(fields, IDS_FIELD_IE_TEST, Flag(L"TEST", b & 0x04, L"有効", L"無効"));
        Add(fields, IDS_FIELD_LOGERR, Flag(L"LOGERR", b & 0x01, L"有効", L"無効"));
    }
    if (page.Has(3, 1)) Add(fields, IDS_FIELD_MRIE, Named(page.Byte(3) & 0x0F, MrieName(page.Byte(3) & 0x0F)));
    // The interval counts 100 ms units.
    if (page.Has(4, 4)) Add(fields, IDS_FIELD_IE_INTERVAL, Number(page.BigEndian(4, 4) * 100, L"ミリ秒"));
    if (page.Has(8, 4)) Add(fields, IDS_FIELD_IE_REPORT_COUNT, Number(page.BigEndian(8, 4), kUnitTimes));
}

void DecodeBlockDescriptor(DecodedFields& fields, ReplyBytes descriptor, bool longLba) {
    if (longLba) {
        if (!descriptor.Has(0, 16)) return;
        Add(fields, IDS_FIELD_DESCRIPTOR_BLOCKS, Number(descriptor.BigEndian(0, 8), kUnitBlocks));
        Add(fields, IDS_FIELD_DESCRIPTOR_LENGTH, Number(descriptor.BigEndian(12, 4), kUnitBytes));
        return;
    }
    if (!descriptor.Has(0, 8)) return;
    Add(fields, IDS_FIELD_DESCRIPTOR_BLOCKS, Number(descriptor.BigEndian(0, 4), kUnitBlocks));
    Add(fields, IDS_FIELD_DESCRIPTOR_LENGTH, Number(descriptor.BigEndian(5, 3), kUnitBytes));
}

}  // namespace

DecodedFields DecodeModePage(const std::uint8_t* data, std::size_t length) {
    DecodedFields fields;
    const ReplyBytes whole(data, length);
    if (!whole.Has(0, 2)) return fields;
    // A subpage format page (SPF) has a 4-byte header; none of ours is one.
    if (whole.Byte(0) & 0x40) return fields;
    const ReplyBytes page = whole.Slice(0, 2 + static_cast<std::size_t>(whole.Byte(1)));
    switch (page.Byte(0) & 0x3F) {
        case 0x08: DecodeCaching(fields, page); break;
        case 0x0A: DecodeControl(fields, page); break;
        case 0x1C: DecodeInformationalExceptions(fields, page); break;
        default: break;
    }
    return fields;
}

DecodedFields DecodeModeSense10(const std::uint8_t* data, std::size_t length) {
    DecodedFields fields;
    const ReplyBytes reply = ReplyBytes(data, length).Own(0, 2, 2);
    if (!reply.Has(0, kHeaderBytes)) return fields;
    Add(fields, IDS_FIELD_WRITE_PROTECT, YesNo(L"WP", reply.Byte(3) & 0x80));
    const bool longLba = reply.Byte(4) & 0x01;
    const std::size_t descriptorBytes = static_cast<std::size_t>(reply.BigEndian(6, 2));
    // Descriptors that claim more than the reply holds make the rest unreadable: whatever
    // follows could be either.
    if (!reply.Has(kHeaderBytes, descriptorBytes)) return fields;
    const std::size_t each = longLba ? 16 : 8;
    const ReplyBytes descriptors = reply.Slice(kHeaderBytes, descriptorBytes);
    for (std::size_t at = 0; descriptors.Has(at, each); at += each) {
        DecodeBlockDescriptor(fields, descriptors.Slice(at, each), longLba);
    }
    for (std::size_t at = kHeaderBytes + descriptorBytes; reply.Has(at, 2);) {
        const ReplyBytes rest = reply.Slice(at, reply.Size());
        const std::size_t size = (rest.Byte(0) & 0x40) ? 4 + static_cast<std::size_t>(rest.BigEndian(2, 2)) : 2 + rest.Byte(1);
        for (DecodedField& f : DecodeModePage(rest.Data(), rest.Size())) fields.push_back(std::move(f));
        at += size;
    }
    return fields;
}

}  // namespace sektra
