#include "cli/DeviceInfo.h"

#include <cstring>

#include "device/Device.h"
#include "device/Sense.h"
#include "device/TypeNames.h"
#include "framework/CodePage.h"

namespace sektra {
namespace {

// A device's text field: OEM code page (as the device tree shows it), blanks and NULs around
// it removed.
std::wstring FieldText(const char* bytes, std::size_t size) {
    std::wstring text = MultiByteToWide(CodePage::Oem, bytes, ::strnlen(bytes, size));
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

DeviceInfo ReadDeviceInfo(Device& device) {
    DeviceInfo info;
    std::uint8_t data[256] = {};
    IoBuffer io = {data, sizeof(data), {}};
    const int result = device.Inquiry(&io, false, false, 0, 255);
    if (IsCleanCommand(result, io.sense)) {
        info.inquiryAnswered = true;
        info.peripheralType = data[0] & 0x1F;
        info.vendor = FieldText(reinterpret_cast<const char*>(data + 8), 8);
        info.product = FieldText(reinterpret_cast<const char*>(data + 16), 16);
        info.revision = FieldText(reinterpret_cast<const char*>(data + 32), 4);
    }
    const char* model = device.GetModelName();
    info.model = FieldText(model, std::strlen(model));
    const char* serial = device.GetSerialNumber();
    info.serial = FieldText(serial, std::strlen(serial));
    info.busType = device.GetBusType();
    std::uint64_t lastBlock = 0;
    std::uint32_t blockLength = 0;
    if (device.GetCapacity(&lastBlock, &blockLength) == 0 && blockLength != 0 && lastBlock != ~std::uint64_t{0}) {
        info.hasCapacity = true;
        info.blocks = lastBlock + 1;
        info.blockLength = blockLength;
    }
    return info;
}

void WriteDeviceInfoJson(JsonWriter& json, const std::string& target, const DeviceInfo& info) {
    json.BeginObject();
    json.Key("target");
    json.String(target);
    json.Key("vendor");
    json.String(info.vendor);
    json.Key("product");
    json.String(info.product);
    json.Key("revision");
    json.String(info.revision);
    json.Key("serial");
    json.String(info.serial);
    json.Key("model");
    json.String(info.model);
    json.Key("type");
    json.String(std::string(info.inquiryAnswered ? GetPeripheralTypeName(info.peripheralType) : "no answer"));
    json.Key("peripheralType");
    json.UInt(info.peripheralType);
    json.Key("bus");
    json.String(std::string(GetBusTypeName(info.busType)));
    json.Key("busType");
    json.UInt(info.busType);
    json.Key("blocks");
    json.UInt(info.blocks);
    json.Key("blockLength");
    json.UInt(info.blockLength);
    // Exact in 64 bits: 2^64 blocks of 4 GiB cannot occur.
    json.Key("capacityBytes");
    json.UInt(info.blocks * info.blockLength);
    json.EndObject();
}

std::string DeviceInfoText(const std::string& target, const DeviceInfo& info) {
    std::string text = "target:       " + target + "\n";
    text += "vendor:       " + Utf8FromWide(info.vendor) + "\n";
    text += "product:      " + Utf8FromWide(info.product) + "\n";
    text += "revision:     " + Utf8FromWide(info.revision) + "\n";
    text += "serial:       " + Utf8FromWide(info.serial) + "\n";
    text += "model:        " + Utf8FromWide(info.model) + "\n";
    text += std::string("type:         ") +
            (info.inquiryAnswered ? GetPeripheralTypeName(info.peripheralType) : "no answer to INQUIRY") + "\n";
    text += std::string("bus:          ") + GetBusTypeName(info.busType) + "\n";
    if (info.hasCapacity) {
        text += "blocks:       " + std::to_string(info.blocks) + "\n";
        text += "block length: " + std::to_string(info.blockLength) + "\n";
        text += "capacity:     " + std::to_string(info.blocks * info.blockLength) + " bytes\n";
    } else {
        text += "capacity:     unknown (READ CAPACITY not answered)\n";
    }
    return text;
}

std::string DeviceInfoLine(const std::string& target, const DeviceInfo& info) {
    std::string line = target;
    line.append(line.size() < 22 ? 22 - line.size() : 1, ' ');
    std::string type = info.inquiryAnswered ? GetPeripheralTypeName(info.peripheralType) : "no answer";
    type.resize(type.size() < 24 ? 24 : type.size() + 1, ' ');
    return line + type + Utf8FromWide(info.model) + "\n";
}

}  // namespace sektra
