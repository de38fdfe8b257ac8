// What a device is: bus and peripheral type, the texts from INQUIRY and the storage
// descriptor, the ATA identification block, and the adapter's transfer limit.
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

bool Device::IdentifySata(std::uint8_t (&block)[512]) {
    // A SATA disk behind the translation layer reports only 16 characters of its model, and
    // its firmware cut to 4, in INQUIRY; the IDENTIFY block has them whole.
    return GetBusType() == kBusTypeSata && IdentifyAta(block) == 0;
}

const char* Device::GetSerialNumber() {
    serialNumber.clear();
    std::uint8_t block[512];
    if (IdentifySata(block)) {
        char text[2 * kAtaSerial.words + 1];
        serialNumber.assign(text, AtaString(block, kAtaSerial, text));
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
    std::uint8_t block[512];
    if (IdentifySata(block)) {
        AtaString(block, kAtaModel, textBuffer);
        return textBuffer;
    }
    std::uint8_t data[256];
    if (StandardInquiry(data) == 0) FormatModelName(data);
    return textBuffer;
}

const char* Device::GetModelNameWithRevision() {
    textBuffer[0] = '\0';
    std::uint8_t block[512];
    if (IdentifySata(block)) {
        std::size_t length = AtaString(block, kAtaModel, textBuffer);
        textBuffer[length++] = ' ';
        textBuffer[length++] = '(';
        length += AtaString(block, kAtaFirmware, textBuffer + length);
        textBuffer[length++] = ')';
        textBuffer[length] = '\0';
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
    std::uint8_t block[512];
    if (IdentifySata(block)) {
        AtaString(block, kAtaFirmware, textBuffer);
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
