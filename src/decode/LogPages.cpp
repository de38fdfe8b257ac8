#include "decode/LogPages.h"

#include "decode/FieldText.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

// One log parameter: its code and its value bytes (without the 4-byte parameter header).
struct Parameter {
    unsigned code;
    ReplyBytes value;
    // The value as one big-endian number; values longer than 8 bytes keep their last 8.
    std::uint64_t Number() const {
        const std::size_t n = value.Size() < 8 ? value.Size() : 8;
        return value.BigEndian(value.Size() - n, n);
    }
};

template <typename Visit>
void ForEachParameter(ReplyBytes page, Visit visit) {
    for (std::size_t at = 4; page.Has(at, 4);) {
        const std::size_t size = 4 + page.Byte(at + 3);
        if (!page.Has(at, size)) break;
        visit(Parameter{static_cast<unsigned>(page.BigEndian(at, 2)), page.Slice(at + 4, size - 4)});
        at += size;
    }
}

void DecodeErrorCounters(DecodedFields& fields, ReplyBytes page) {
    static const unsigned labels[] = {
        IDS_FIELD_CORRECTED_FAST, IDS_FIELD_CORRECTED_DELAYED, IDS_FIELD_RETRIES, IDS_FIELD_CORRECTED_TOTAL,
        IDS_FIELD_CORRECTIONS,    IDS_FIELD_BYTES_PROCESSED,   IDS_FIELD_UNCORRECTED,
    };
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.code > 6 || p.value.Size() == 0) return;
        Add(fields, labels[p.code], Number(p.Number(), p.code == 5 ? kUnitBytes : nullptr));
    });
}

// A temperature byte; FFh means the sensor gives no reading.
std::wstring Celsius(std::uint8_t value) { return value == 0xFF ? L"255 (不明)" : Number(value, kUnitCelsius); }

void DecodeTemperature(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.value.Size() < 2) return;
        if (p.code == 0) Add(fields, IDS_FIELD_TEMPERATURE, Celsius(p.value.Byte(1)));
        if (p.code == 1) Add(fields, IDS_FIELD_REFERENCE_TEMPERATURE, Celsius(p.value.Byte(1)));
    });
}

// Year (4 ASCII digits) and week (2): "2026 年 第 01 週".
std::wstring YearWeek(ReplyBytes value) {
    if (!value.Has(0, 6)) return std::wstring();
    return Ascii(value.Slice(0, 4)) + L" 年 第 " + Ascii(value.Slice(4, 2)) + L" 週";
}

void DecodeStartStop(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        switch (p.code) {
            case 1: Add(fields, IDS_FIELD_MANUFACTURED, YearWeek(p.value)); break;
            case 2: Add(fields, IDS_FIELD_ACCOUNTING_DATE, YearWeek(p.value)); break;
            case 3: Add(fields, IDS_FIELD_SPECIFIED_CYCLES, Number(p.Number(), kUnitTimes)); break;
            case 4: Add(fields, IDS_FIELD_START_STOP_CYCLES, Number(p.Number(), kUnitTimes)); break;
            case 5: Add(fields, IDS_FIELD_SPECIFIED_LOADS, Number(p.Number(), kUnitTimes)); break;
            case 6: Add(fields, IDS_FIELD_LOAD_UNLOADS, Number(p.Number(), kUnitTimes)); break;
            default: break;
        }
    });
}

const wchar_t* SelfTestName(unsigned code) {
    switch (code) {
        case 1: return L"バックグラウンド ショート";
        case 2: return L"バックグラウンド拡張";
        case 4: return L"バックグラウンド中断";
        case 5: return L"フォアグラウンド ショート";
        case 6: return L"フォアグラウンド拡張";
        default: return L"既定またはその他";
    }
}

const wchar_t* SelfTestResultName(unsigned result) {
    switch (result) {
        case 0: return L"エラーなしで完了";
        case 1: return L"中止 (SEND DIAGNOSTIC)";
        case 2: return L"中止 (その他)";
        case 3: return L"不明なエラー";
        case 4: return L"失敗 (セグメント不明)";
        case 5: return L"失敗 (第 1 セグメント)";
        case 6: return L"失敗 (第 2 セグメント)";
        case 7: return L"失敗 (その他のセグメント)";
        case 15: return L"実行中";
        default: return L"予約";
    }
}

// One row per used entry: "#1 バックグラウンド ショート (コード 1): エラーなしで完了 (結果 0), 4321 時間".
void DecodeSelfTests(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.code < 1 || p.code > 20 || !p.value.Has(0, 4)) return;
        bool used = false;
        for (std::size_t i = 0; i < p.value.Size(); ++i) used = used || p.value.Byte(i) != 0;
        if (!used) return;
        const unsigned test = p.value.Byte(0) >> 5;
        const unsigned result = p.value.Byte(0) & 0x0F;
        std::wstring text = L"#" + std::to_wstring(p.code) + L" " + SelfTestName(test) + L" (コード " +
                            std::to_wstring(test) + L"): " +
                            SelfTestResultName(result) + L" (結果 " + std::to_wstring(result) + L"), " +
                            Number(p.value.BigEndian(2, 2), kUnitHours);
        if (p.value.Has(4, 8) && p.value.BigEndian(4, 8) != 0xFFFFFFFFFFFFFFFFull && result >= 3 && result <= 7) {
            text += L", LBA " + std::to_wstring(p.value.BigEndian(4, 8));
        }
        Add(fields, IDS_FIELD_SELF_TEST, text);
    });
}

void DecodeSolidStateMedia(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.code == 1 && p.value.Has(3, 1)) Add(fields, IDS_FIELD_PERCENT_USED, Number(p.value.Byte(3), kUnitPercent));
    });
}

const wchar_t* ScanStatusName(unsigned status) {
    switch (status) {
        case 0: return L"スキャンしていない";
        case 1: return L"メディア スキャン中";
        case 2: return L"前スキャン中";
        case 3: return L"中断 (致命的なエラー)";
        case 4: return L"中断 (ベンダー固有の原因)";
        case 5: return L"中断 (温度が範囲外)";
        case 6: return L"中断 (無効化)";
        case 7: return L"中断 (割り込み待ち)";
        case 8: return L"一時停止 (外部イベント)";
        default: return nullptr;
    }
}

void DecodeBackgroundScan(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.code != 0) return;
        const ReplyBytes v = p.value;
        if (v.Has(0, 4)) Add(fields, IDS_FIELD_POWER_ON_MINUTES, Number(v.BigEndian(0, 4), kUnitMinutes));
        if (v.Has(5, 1)) Add(fields, IDS_FIELD_SCAN_STATUS, Named(v.Byte(5), ScanStatusName(v.Byte(5))));
        if (v.Has(6, 2)) Add(fields, IDS_FIELD_SCANS, Number(v.BigEndian(6, 2), kUnitTimes));
        if (v.Has(8, 2)) {
            // A fraction of 65536, shown in hundredths of a percent, truncated.
            const std::uint64_t hundredths = v.BigEndian(8, 2) * 10000 / 65536;
            const std::wstring cents = std::to_wstring(100 + hundredths % 100).substr(1);
            Add(fields, IDS_FIELD_SCAN_PROGRESS, std::to_wstring(hundredths / 100) + L"." + cents + L" " + kUnitPercent);
        }
        if (v.Has(10, 2)) Add(fields, IDS_FIELD_MEDIUM_SCANS, Number(v.BigEndian(10, 2), kUnitTimes));
    });
}

std::wstring HexByte(std::uint8_t value) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    return std::wstring{digits[value >> 4], digits[value & 0x0F], L'h'};
}

void DecodeInformationalExceptions(DecodedFields& fields, ReplyBytes page) {
    ForEachParameter(page, [&](const Parameter& p) {
        if (p.code != 0) return;
        if (p.value.Has(0, 2)) Add(fields, IDS_FIELD_IE_ASC, HexByte(p.value.Byte(0)) + L"/" + HexByte(p.value.Byte(1)));
        if (p.value.Has(2, 1)) Add(fields, IDS_FIELD_IE_TEMPERATURE, Celsius(p.value.Byte(2)));
    });
}

}  // namespace

DecodedFields DecodeLogPage(const std::uint8_t* data, std::size_t length) {
    DecodedFields fields;
    const ReplyBytes page = ReplyBytes(data, length).Own(2, 2, 4);
    if (page.Size() < 4) return fields;
    // A subpage (SPF) other than 0 holds other parameters under the same page code.
    if ((page.Byte(0) & 0x40) && page.Byte(1) != 0) return fields;
    switch (page.Byte(0) & 0x3F) {
        case 0x02:
        case 0x03:
        case 0x05: DecodeErrorCounters(fields, page); break;
        case 0x0D: DecodeTemperature(fields, page); break;
        case 0x0E: DecodeStartStop(fields, page); break;
        case 0x10: DecodeSelfTests(fields, page); break;
        case 0x11: DecodeSolidStateMedia(fields, page); break;
        case 0x15: DecodeBackgroundScan(fields, page); break;
        case 0x2F: DecodeInformationalExceptions(fields, page); break;
        default: break;
    }
    return fields;
}

}  // namespace sektra
