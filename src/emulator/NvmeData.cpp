#include <cstddef>
#include <string>

#include "emulator/HealthData.h"

namespace sektra {

namespace {

constexpr std::size_t kIdentifySize = 4096;
constexpr std::size_t kHealthLogSize = 512;
// A vendor id no PCI maker holds, so the demo disk is never taken for hardware.
constexpr std::uint16_t kDemoVendorId = 0x5EC7;

// Up to 8 bytes of a little-endian field; the bytes above stay 0.
void PutLe(std::vector<std::uint8_t>& d, std::size_t offset, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes && i < 8; ++i) d[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// NVMe texts are ASCII, left-aligned and padded with blanks.
void PutText(std::vector<std::uint8_t>& d, std::size_t offset, std::size_t size, const std::string& text) {
    for (std::size_t i = 0; i < size; ++i) d[offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
}

// The LBA formats the namespace offers: 512 and 4096 bytes; the one in use matches blockLength.
constexpr std::uint8_t kLbaDataSizes[] = {9, 12};

}  // namespace

std::vector<std::uint8_t> BuildNvmeIdentifyController(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(kIdentifySize, 0);
    PutLe(d, 0, kDemoVendorId, 2);
    PutLe(d, 2, kDemoVendorId, 2);
    PutText(d, 4, 20, config.serialNumber);
    PutText(d, 24, 40, config.nvmeModel);
    PutText(d, 64, 8, config.nvmeFirmware);
    d[72] = 2;                        // recommended arbitration burst
    d[77] = 5;                        // maximum transfer: 2^5 minimum pages
    PutLe(d, 78, 1, 2);               // controller id
    PutLe(d, 80, 0x00010400, 4);      // version 1.4.0
    d[512] = 0x66;                    // submission queue entry: 64 bytes
    d[513] = 0x44;                    // completion queue entry: 16 bytes
    PutLe(d, 516, 1, 4);              // one namespace
    // Total NVM capacity, 16 bytes wide; the demo disks stay far below 2^64 bytes.
    PutLe(d, 280, config.blockCount * config.blockLength, 16);
    return d;
}

std::vector<std::uint8_t> BuildNvmeIdentifyNamespace(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(kIdentifySize, 0);
    PutLe(d, 0, config.blockCount, 8);
    PutLe(d, 8, config.blockCount, 8);
    PutLe(d, 16, config.blockCount / 4, 8);  // a quarter of it in use
    d[25] = sizeof(kLbaDataSizes) - 1;       // number of LBA formats, 0-based
    for (std::size_t i = 0; i < sizeof(kLbaDataSizes); ++i) {
        d[128 + 4 * i + 2] = kLbaDataSizes[i];
        if ((1u << kLbaDataSizes[i]) == config.blockLength) d[26] = static_cast<std::uint8_t>(i);
    }
    return d;
}

std::vector<std::uint8_t> BuildNvmeHealthLog(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(kHealthLogSize, 0);
    d[0] = 0;                                       // no critical warning
    PutLe(d, 1, config.temperatureCelsius + 273u, 2);  // Kelvin
    d[3] = 100;                                     // available spare
    d[4] = 10;                                      // its threshold
    d[5] = 3;                                       // percentage used
    PutLe(d, 32, 1234567, 16);                      // data units read (1000 x 512 bytes)
    PutLe(d, 48, 2345678, 16);                      // data units written
    PutLe(d, 64, 98765432, 16);                     // host read commands
    PutLe(d, 80, 87654321, 16);                     // host write commands
    PutLe(d, 96, 432, 16);                          // controller busy time, minutes
    PutLe(d, 112, 321, 16);                         // power cycles
    PutLe(d, 128, 4321, 16);                        // power-on hours
    PutLe(d, 144, 12, 16);                          // unsafe shutdowns
    PutLe(d, 160, 0, 16);                           // media and data integrity errors
    PutLe(d, 176, 5, 16);                           // error log entries
    PutLe(d, 200, config.temperatureCelsius + 273u, 2);  // temperature sensor 1
    return d;
}

}  // namespace sektra
