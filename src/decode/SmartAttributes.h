#pragma once
// The ATA SMART attribute table (READ ATTRIBUTES, feature D0h) and its thresholds (READ
// THRESHOLDS, D1h): 512 bytes each, a 2-byte revision, then 30 entries of 12 bytes. An entry
// with id 0 is unused. Attribute entry: id, flags (2 bytes), current and worst normalised
// values, raw value (6 bytes, little-endian), reserved. Threshold entry: id, threshold.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decode/DecodedField.h"

namespace sektra {

struct SmartAttribute {
    std::uint8_t id = 0;
    std::uint16_t flags = 0;
    std::uint8_t current = 0;
    std::uint8_t worst = 0;
    std::uint8_t threshold = 0;  // 0 when the thresholds do not list the attribute
    std::uint64_t raw = 0;       // 48 bits
};

constexpr std::size_t kSmartDataSize = 512;
constexpr std::size_t kSmartEntries = 30;
constexpr std::size_t kSmartEntrySize = 12;

// The used entries that lie wholly inside `attributes`, with the threshold of the same id
// from `thresholds` (which may be null or short).
std::vector<SmartAttribute> ParseSmartAttributes(const std::uint8_t* attributes, std::size_t attributesLength,
                                                 const std::uint8_t* thresholds, std::size_t thresholdsLength);

// The string id that names an attribute (IDS_SMART_UNKNOWN for one without a common meaning).
unsigned SmartAttributeLabel(std::uint8_t id);

// The raw value read as the attribute means it (degrees Celsius for temperatures, hours,
// counts); a current value at or below a nonzero threshold is marked as failing.
std::wstring SmartAttributeValue(const SmartAttribute& attribute);
// The rest of the entry: id, current, worst and threshold values, raw bytes and flags.
std::wstring SmartAttributeDetail(const SmartAttribute& attribute);

// The revision field, then one field per used attribute with its SmartAttributeValue.
DecodedFields DecodeSmartAttributes(const std::uint8_t* attributes, std::size_t attributesLength,
                                    const std::uint8_t* thresholds, std::size_t thresholdsLength);

}  // namespace sektra
