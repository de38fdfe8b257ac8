#pragma once
// What list and info report of a device: its identification (standard INQUIRY fields, the
// serial number the storage stack reports), its kind and bus, and its capacity.
#include <cstdint>
#include <string>

#include "cli/Json.h"

namespace sektra {

class Device;

struct DeviceInfo {
    bool inquiryAnswered = false;
    std::wstring vendor;    // INQUIRY bytes 8-15, blanks around removed
    std::wstring product;   // bytes 16-31
    std::wstring revision;  // bytes 32-35
    std::wstring serial;
    std::wstring model;     // as the device tree names it (an ATA model spans vendor and product)
    std::uint32_t peripheralType = 31;  // 31: no answer
    std::uint32_t busType = 0;
    bool hasCapacity = false;
    std::uint64_t blocks = 0;  // last block + 1
    std::uint32_t blockLength = 0;
};

// Asks the device; a device that answers nothing gives a DeviceInfo with only its defaults.
DeviceInfo ReadDeviceInfo(Device& device);

// The info object: target, vendor, product, revision, serial, model, type, peripheralType, bus,
// busType, blocks, blockLength and capacityBytes (the last three 0 without a capacity).
void WriteDeviceInfoJson(JsonWriter& json, const std::string& target, const DeviceInfo& info);
// The same as lines of "name: value" text.
std::string DeviceInfoText(const std::string& target, const DeviceInfo& info);
// One line for list: target, kind and model.
std::string DeviceInfoLine(const std::string& target, const DeviceInfo& info);

}  // namespace sektra
