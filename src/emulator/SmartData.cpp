#include <cstddef>

#include "emulator/HealthData.h"

namespace sektra {

namespace {

struct Attribute {
    std::uint8_t id;
    std::uint16_t flags;
    std::uint8_t current;
    std::uint8_t worst;
    std::uint8_t threshold;
    std::uint64_t raw;
};

constexpr std::size_t kTableSize = 512;
constexpr std::size_t kEntrySize = 12;
constexpr std::uint16_t kRevision = 0x0010;

// A flash disk after about a year and a half of office use. The temperature's raw value holds
// the current degrees, the lowest and the highest seen, a byte each with a zero between.
std::vector<Attribute> Attributes(const DeviceConfig& config) {
    const std::uint64_t temperature = config.temperatureCelsius;
    return {
        {1, 0x002F, 100, 100, 50, 0},
        {5, 0x0033, 100, 100, 10, 2},
        {9, 0x0032, 99, 99, 0, 1234},
        {12, 0x0032, 99, 99, 0, 567},
        {177, 0x0013, 97, 97, 0, 45},
        {194, 0x0022, static_cast<std::uint8_t>(100 - temperature), 45, 0, temperature | 21u << 16 | 55ull << 32},
        {197, 0x0032, 100, 100, 0, 0},
        {198, 0x0030, 100, 100, 0, 0},
        {199, 0x003E, 100, 100, 0, 1},
        {231, 0x0033, 97, 97, 10, 97},
        {241, 0x0032, 99, 99, 0, 12345678901ull},
        {242, 0x0032, 99, 99, 0, 23456789012ull},
    };
}

void PutLittleEndian(std::vector<std::uint8_t>& d, std::size_t offset, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) d[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutChecksum(std::vector<std::uint8_t>& d) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i + 1 < kTableSize; ++i) sum = static_cast<std::uint8_t>(sum + d[i]);
    d[kTableSize - 1] = static_cast<std::uint8_t>(-sum);
}

}  // namespace

std::vector<std::uint8_t> BuildSmartAttributes(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(kTableSize, 0);
    PutLittleEndian(d, 0, kRevision, 2);
    std::size_t offset = 2;
    for (const Attribute& a : Attributes(config)) {
        d[offset] = a.id;
        PutLittleEndian(d, offset + 1, a.flags, 2);
        d[offset + 3] = a.current;
        d[offset + 4] = a.worst;
        PutLittleEndian(d, offset + 5, a.raw, 6);
        offset += kEntrySize;
    }
    d[362] = 0x82;  // off-line data collection completed without error, automatic
    PutChecksum(d);
    return d;
}

std::vector<std::uint8_t> BuildSmartThresholds(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(kTableSize, 0);
    PutLittleEndian(d, 0, kRevision, 2);
    std::size_t offset = 2;
    for (const Attribute& a : Attributes(config)) {
        d[offset] = a.id;
        d[offset + 1] = a.threshold;
        offset += kEntrySize;
    }
    PutChecksum(d);
    return d;
}

}  // namespace sektra
