// What a device is: bus and peripheral type, the texts from INQUIRY and the storage
// descriptor, the ATA identification block, and the adapter's transfer limit.
#include <cstdio>
#include <cstring>
#include <vector>

#include "device/Device.h"
#include "device/StorageStructs.h"

namespace sektra {

namespace {

// Room for the device descriptor with its texts.
constexpr std::uint32_t kDeviceDescriptorBufferSize = 1064;
constexpr std::uint32_t kMaxTransferCap = 0x1000000;  // 16 MiB
constexpr std::uint64_t kPageSize = 4096;

bool IsAtaFamily(std::uint32_t busType) {
    return busType == kBusTypeAtapi || busType == kBusTypeAta || busType == kBusTypeSata;
}

// Text fields of the IDENTIFY block, as (first word, words).
struct AtaField {
    int firstWord;
    int words;
};
constexpr AtaField kAtaSerial = {10, 10};
constexpr AtaField kAtaFirmware = {23, 4};
constexpr AtaField kAtaModel = {27, 20};

// An ATA string into `out` (room for 2 x words + 1): two characters a word, the first in the
// word's high byte; blanks on both sides dropped, as drives pad serial numbers on the left.
// Returns the length.
std::size_t AtaString(const std::uint8_t* block, AtaField field, char* out) {
    std::size_t length = 0;
    for (int i = 0; i < 2 * field.words; ++i) out[length++] = static_cast<char>(block[2 * field.firstWord + (i ^ 1)]);
    while (length > 0 && out[length - 1] == ' ') --length;
    std::size_t start = 0;
    while (start < length && out[start] == ' ') ++start;
    std::memmove(out, out + start, length - start);
    length -= start;
    out[length] = '\0';
    return std::strlen(out);  // a zero inside the field ends the text
}

// Text fields of NVMe Identify Controller data, as (offset, bytes): plain ASCII, blank-padded.
struct NvmeField {
    std::size_t offset;
    std::size_t length;
};
constexpr NvmeField kNvmeSerial = {4, 20};
constexpr NvmeField kNvmeModel = {24, 40};
constexpr NvmeField kNvmeFirmware = {64, 8};

// `length` bytes of ASCII into `out` (room for length + 1), trimmed like AtaString.
void AsciiString(const std::uint8_t* field, std::size_t length, char* out) {
    std::size_t end = 0;
    while (end < length && field[end] != 0) ++end;
    while (end > 0 && field[end - 1] == ' ') --end;
    std::size_t start = 0;
    while (start < end && field[start] == ' ') ++start;
    std::memcpy(out, field + start, end - start);
    out[end - start] = '\0';
}

}  // namespace

bool Device::QueryProperty(std::uint32_t propertyId, void* out, std::uint32_t outSize) {
    StoragePropertyQuery query = {};
    query.PropertyId = propertyId;
    query.QueryType = kPropertyStandardQuery;
    std::memset(out, 0, outSize);
    return Control(kIoctlStorageQueryProperty, &query, sizeof(query), out, outSize);
}

std::uint32_t Device::GetBusType() {
    std::vector<std::uint8_t> buffer(kDeviceDescriptorBufferSize);
    if (!QueryProperty(kStorageDeviceProperty, buffer.data(), kDeviceDescriptorBufferSize)) return 0;
    StorageDeviceDescriptor descriptor;
    std::memcpy(&descriptor, buffer.data(), sizeof(descriptor));
    return descriptor.BusType;
}

bool Device::ReadWholeIdentity(WholeIdentity* identity) {
    // A SATA disk behind the translation layer, and an NVMe disk, report only 16 characters of
    // the model, and the firmware cut to 4, in INQUIRY; their own identify data has them whole.
    const std::uint32_t busType = GetBusType();
    if (busType == kBusTypeSata) {
        std::uint8_t block[512];
        if (IdentifyAta(block) != 0) return false;
        AtaString(block, kAtaModel, identity->model);
        AtaString(block, kAtaFirmware, identity->firmware);
        AtaString(block, kAtaSerial, identity->serial);
        return identity->model[0] != '\0';  // a blank model: the INQUIRY names it better
    }
    if (busType == kBusTypeNvme) {
        std::vector<std::uint8_t> data(4096);
        if (IdentifyNvmeController(data.data()) != 0) return false;
        AsciiString(&data[kNvmeModel.offset], kNvmeModel.length, identity->model);
        AsciiString(&data[kNvmeFirmware.offset], kNvmeFirmware.length, identity->firmware);
        AsciiString(&data[kNvmeSerial.offset], kNvmeSerial.length, identity->serial);
        return identity->model[0] != '\0';
    }
    return false;
}

const char* Device::GetSerialNumber() {
    serialNumber.clear();
    WholeIdentity identity;
    if (ReadWholeIdentity(&identity)) {
        serialNumber = identity.serial;
        return serialNumber.c_str();
    }
    std::vector<std::uint8_t> buffer(kDeviceDescriptorBufferSize);
    if (QueryProperty(kStorageDeviceProperty, buffer.data(), kDeviceDescriptorBufferSize)) {
        StorageDeviceDescriptor descriptor;
        std::memcpy(&descriptor, buffer.data(), sizeof(descriptor));
        const std::uint32_t offset = descriptor.SerialNumberOffset;
        // The text must start inside the buffer; it ends at its terminator or the buffer's end.
        if (offset != 0 && offset < kDeviceDescriptorBufferSize) {
            const char* text = reinterpret_cast<const char*>(buffer.data() + offset);
            const void* end = std::memchr(text, 0, kDeviceDescriptorBufferSize - offset);
            serialNumber.assign(text, end ? static_cast<const char*>(end)
                                          : text + (kDeviceDescriptorBufferSize - offset));
        }
    }
    return serialNumber.c_str();
}

std::uint32_t Device::GetMaxTransferBytes() {
    StorageAdapterDescriptor adapter;
    if (!QueryProperty(kStorageAdapterProperty, &adapter, sizeof(adapter))) return 0;
    // 64 bits: a large page count times the page size does not fit in 32.
    std::uint64_t limit = std::uint64_t{adapter.MaximumPhysicalPages} * kPageSize;
    if (adapter.MaximumTransferLength < limit) limit = adapter.MaximumTransferLength;
    if (limit > kMaxTransferCap) limit = kMaxTransferCap;
    return static_cast<std::uint32_t>(limit);
}

int Device::StandardInquiry(std::uint8_t (&data)[256]) {
    std::memset(data, 0, sizeof(data));
    IoBuffer io = {data, sizeof(data), {}};
    return Inquiry(&io, false, false, 0, 255);
}

std::uint32_t Device::GetPeripheralType() {
    std::uint8_t data[256];
    if (StandardInquiry(data) != 0) return 31;
    return data[0] & 0x1F;
}

std::size_t Device::FormatModelName(const std::uint8_t* data) {
    std::size_t length = 0;
    const std::uint32_t busType = GetBusType();
    if (busType == kBusTypeAtapi || busType == kBusTypeAta) {
        // ATA devices report their model across the vendor and product fields.
        std::memcpy(textBuffer, data + 8, 24);
        length = 24;
    } else {
        std::memcpy(textBuffer, data + 8, 8);
        length = 8;
        while (length > 0 && textBuffer[length - 1] == ' ') --length;
        textBuffer[length++] = ' ';
        std::memcpy(textBuffer + length, data + 16, 16);
        length += 16;
    }
    while (length > 0 && textBuffer[length - 1] == ' ') --length;
    textBuffer[length] = '\0';
    return length;
}

const char* Device::GetModelName() {
    textBuffer[0] = '\0';
    WholeIdentity identity;
    if (ReadWholeIdentity(&identity)) {
        std::strcpy(textBuffer, identity.model);
        return textBuffer;
    }
    std::uint8_t data[256];
    if (StandardInquiry(data) == 0) FormatModelName(data);
    return textBuffer;
}

const char* Device::GetModelNameWithRevision() {
    textBuffer[0] = '\0';
    WholeIdentity identity;
    if (ReadWholeIdentity(&identity)) {
        // 40 + 2 + 8 + 1 characters and the terminator: textBuffer's 52.
        std::snprintf(textBuffer, sizeof textBuffer, "%s (%s)", identity.model, identity.firmware);
        return textBuffer;
    }
    std::uint8_t data[256];
    if (StandardInquiry(data) != 0) return textBuffer;
    // Measured up to the first zero: a device may put zeros in the name fields.
    FormatModelName(data);
    const std::size_t length = std::strlen(textBuffer);
    // The revision goes in as the device reports it, trailing blanks included.
    textBuffer[length] = ' ';
    textBuffer[length + 1] = '(';
    std::memcpy(textBuffer + length + 2, data + 32, 4);
    textBuffer[length + 6] = ')';
    textBuffer[length + 7] = '\0';
    return textBuffer;
}

const char* Device::GetRevision() {
    textBuffer[0] = '\0';
    WholeIdentity identity;
    if (ReadWholeIdentity(&identity)) {
        std::strcpy(textBuffer, identity.firmware);
        return textBuffer;
    }
    std::uint8_t data[256];
    if (StandardInquiry(data) != 0) return textBuffer;
    std::memcpy(textBuffer, data + 32, 4);
    textBuffer[4] = '\0';
    return textBuffer;
}

int Device::IdentifyAta(std::uint8_t out[512]) {
    const std::uint32_t busType = GetBusType();
    if (!IsAtaFamily(busType)) return -1;

    SendCmdInParams in;
    std::memset(&in, 0, sizeof(in));
    in.cBufferSize = kIdentifyBlockSize;
    in.irDriveRegs.bSectorCountReg = 1;
    in.irDriveRegs.bSectorNumberReg = 1;
    in.irDriveRegs.bDriveHeadReg = 0xA0;
    in.irDriveRegs.bCommandReg = busType == kBusTypeAtapi ? kAtaIdentifyPacketDevice : kAtaIdentifyDevice;

    std::uint8_t reply[kSendCmdOutHeaderSize + kIdentifyBlockSize] = {};
    const bool ok = Control(kSmartRcvDriveData, &in, kSendCmdInParamsSize, reply, sizeof(reply));
    std::memcpy(out, reply + kSendCmdOutHeaderSize, kIdentifyBlockSize);
    return ok ? 0 : -1;
}

}  // namespace sektra
