#pragma once
// The data-in replies of the emulated target that describe the device: standard INQUIRY data,
// vital product data pages, log pages, mode pages and defect lists, built from its
// configuration. Each builder returns false when the device does not have the page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "emulator/DeviceConfig.h"

namespace sektra {

using Bytes = std::vector<std::uint8_t>;

Bytes StandardInquiry(const DeviceConfig& config);
// READ CAPACITY(16) parameter data, 32 bytes: last block address, block length, and the
// logical blocks per physical block as a power of two.
Bytes ReadCapacity16Data(const DeviceConfig& config);
// The INQUIRY texts of a SATA disk as the translation layer builds them from IDENTIFY.
bool HasTranslatedInquiry(const DeviceConfig& config);
bool VpdPage(const DeviceConfig& config, std::uint8_t page, Bytes& out);

// The parameters of a log page from `parameterPointer` on; false when the device does not
// have the page or the pointer lies beyond its last parameter. Page control 1 gives the
// current cumulative values, 3 the default ones (every counter 0, as after a reset); the
// threshold values (0 and 2) exist on no page.
bool LogPage(const DeviceConfig& config, std::uint8_t page, std::uint8_t pageControl,
             std::uint16_t parameterPointer, Bytes& out);

// MODE SENSE(10) data: the 8-byte header, the block descriptor unless `dbd` (long when `llbaa`
// and the device needs it), then the page (3Fh: every page). pageControl 1 gives the
// changeable-bits masks.
bool ModeSense10Data(const DeviceConfig& config, bool llbaa, bool dbd, std::uint8_t pageControl,
                     std::uint8_t page, Bytes& out);

// READ DEFECT DATA(10) data in the physical-sector format (5).
Bytes DefectData(const DeviceConfig& config, bool plist, bool glist);

// Writes `text` into `count` bytes, padded with blanks or cut.
void PutText(std::uint8_t* field, std::size_t count, const std::string& text);

inline void PutBigEndian(std::uint8_t* p, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8) p[i] = static_cast<std::uint8_t>(value);
}

}  // namespace sektra
