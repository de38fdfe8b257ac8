#include "decode/SmartAttributes.h"

#include "decode/ReplyBytes.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::size_t kFirstEntry = 2;

struct AttributeName {
    std::uint8_t id;
    unsigned label;
};

constexpr AttributeName kNames[] = {
    {1, IDS_SMART_READ_ERROR_RATE},    {3, IDS_SMART_SPIN_UP_TIME},     {4, IDS_SMART_START_STOP},
    {5, IDS_SMART_REALLOCATED},        {7, IDS_SMART_SEEK_ERROR_RATE},  {9, IDS_FIELD_POWER_ON_HOURS},
    {10, IDS_SMART_SPIN_RETRY},        {12, IDS_FIELD_POWER_CYCLES},    {171, IDS_SMART_PROGRAM_FAIL},
    {172, IDS_SMART_ERASE_FAIL},       {173, IDS_SMART_WEAR_LEVELING},  {174, IDS_SMART_POWER_LOSS},
    {177, IDS_SMART_WEAR_LEVELING},    {187, IDS_SMART_UNCORRECTABLE},  {188, IDS_SMART_COMMAND_TIMEOUT},
    {190, IDS_SMART_AIRFLOW_TEMP},     {192, IDS_SMART_POWER_LOSS},     {193, IDS_SMART_LOAD_CYCLES},
    {194, IDS_FIELD_TEMPERATURE},      {196, IDS_SMART_REALLOC_EVENTS}, {197, IDS_SMART_PENDING},
    {198, IDS_SMART_OFFLINE_UNCORR},   {199, IDS_SMART_CRC_ERRORS},     {231, IDS_SMART_LIFE_LEFT},
    {233, IDS_SMART_MEDIA_WEAROUT},    {241, IDS_SMART_LBAS_WRITTEN},   {242, IDS_SMART_LBAS_READ},
};

// The raw value as the attribute means it. Temperatures keep the current degrees in the low
// byte (the bytes above often hold the lowest and highest seen); power-on hours keep the hours
// in the low 32 bits (some drives add minutes above them).
std::wstring RawMeaning(const SmartAttribute& a) {
    switch (a.id) {
        case 190:
        case 194: return WithUnit(a.raw & 0xFF, L"°C");
        case 9: return WithUnit(a.raw & 0xFFFFFFFFu, L"時間");
        default: return DecimalText(a.raw);
    }
}

}  // namespace

unsigned SmartAttributeLabel(std::uint8_t id) {
    for (const AttributeName& name : kNames) {
        if (name.id == id) return name.label;
    }
    return IDS_SMART_UNKNOWN;
}

std::vector<SmartAttribute> ParseSmartAttributes(const std::uint8_t* attributes, std::size_t attributesLength,
                                                 const std::uint8_t* thresholds, std::size_t thresholdsLength) {
    const ReplyBytes a(attributes, attributesLength);
    const ReplyBytes t(thresholds, thresholdsLength);
    std::vector<SmartAttribute> result;
    for (std::size_t i = 0; i < kSmartEntries; ++i) {
        const std::size_t offset = kFirstEntry + i * kSmartEntrySize;
        if (!a.Has(offset, kSmartEntrySize)) break;
        SmartAttribute entry;
        entry.id = static_cast<std::uint8_t>(a.Le(offset, 1));
        if (entry.id == 0) continue;
        entry.flags = static_cast<std::uint16_t>(a.Le(offset + 1, 2));
        entry.current = static_cast<std::uint8_t>(a.Le(offset + 3, 1));
        entry.worst = static_cast<std::uint8_t>(a.Le(offset + 4, 1));
        entry.raw = a.Le(offset + 5, 6);
        // Thresholds are matched by id, not by position: the two tables need not agree.
        for (std::size_t j = 0; j < kSmartEntries && t.Has(kFirstEntry + j * kSmartEntrySize, 2); ++j) {
            const std::size_t at = kFirstEntry + j * kSmartEntrySize;
            if (t.Le(at, 1) == entry.id) {
                entry.threshold = static_cast<std::uint8_t>(t.Le(at + 1, 1));
                break;
            }
        }
        result.push_back(entry);
    }
    return result;
}

std::wstring SmartAttributeValue(const SmartAttribute& attribute) {
    std::wstring value = RawMeaning(attribute);
    if (attribute.threshold != 0 && attribute.current <= attribute.threshold) value += L" (しきい値以下)";
    return value;
}

std::wstring SmartAttributeDetail(const SmartAttribute& a) {
    return L"ID " + DecimalText(a.id) + L", 現在 " + DecimalText(a.current) + L", 最悪 " + DecimalText(a.worst) +
           L", しきい値 " + DecimalText(a.threshold) + L", 生値 " + HexText(a.raw, 12) + L", フラグ " +
           HexText(a.flags, 4);
}

DecodedFields DecodeSmartAttributes(const std::uint8_t* attributes, std::size_t attributesLength,
                                    const std::uint8_t* thresholds, std::size_t thresholdsLength) {
    DecodedFields fields;
    const ReplyBytes a(attributes, attributesLength);
    if (a.Has(0, 2)) fields.push_back(DecodedField{IDS_FIELD_SMART_REVISION, DecimalText(a.Le(0, 2))});
    for (const SmartAttribute& s : ParseSmartAttributes(attributes, attributesLength, thresholds, thresholdsLength)) {
        fields.push_back(DecodedField{SmartAttributeLabel(s.id), SmartAttributeValue(s)});
    }
    return fields;
}

}  // namespace sektra
