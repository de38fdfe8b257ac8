#include "device/iscsi/IscsiLogicalUnit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "device/DescriptorReply.h"
#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"
#include "device/iscsi/IscsiDevicePort.h"

namespace sektra {

namespace {

constexpr std::uint8_t kStatusGood = 0x00;
constexpr std::uint8_t kStatusCheckCondition = 0x02;
constexpr std::uint8_t kScsiIoctlDataUnspecified = 2;
// A request that names no time-out gets the longest one this program asks for.
constexpr std::uint32_t kUnstatedTimeOutSeconds = 30;
// Largest transfer the port accepts whatever the unit states (the Windows limit Device applies).
constexpr std::uint32_t kTransferCap = 16u << 20;

}  // namespace

std::uint32_t IscsiLogicalUnit::Ask(const std::uint8_t* cdb, std::uint8_t cdbLength, std::uint8_t* data,
                                    std::uint32_t length, std::uint32_t timeOutSeconds) {
    IscsiCommand command;
    command.cdb = cdb;
    command.cdbLength = cdbLength;
    command.direction = IscsiDirection::In;
    command.data = data;
    command.length = length;
    command.timeOutSeconds = timeOutSeconds;
    const IscsiOutcome outcome = session_.Execute(command);
    return outcome.delivered && outcome.status == kStatusGood ? outcome.transferred : 0;
}

bool IscsiLogicalUnit::Open(const IscsiUrl& url, std::uint32_t timeOutSeconds,
                            std::uint32_t defaultMaximumTransferLength, std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::string unit = "LUN " + std::to_string(url.lun) + " of " + url.targetIqn;
    if (!session_.Connect(url, timeOutSeconds)) {
        *error = session_.Error();
        return false;
    }
    std::uint8_t data[255] = {};
    const std::uint8_t inquiry[6] = {0x12, 0, 0, 0, 96, 0};
    const std::uint32_t got = Ask(inquiry, 6, data, 96, timeOutSeconds);
    if (got == 0) {
        *error = session_.IsAlive() ? unit + " refused INQUIRY" : session_.Error();
        return false;
    }
    // Peripheral qualifier 0: a unit is connected at this LUN.
    if ((data[0] >> 5) != 0) {
        *error = unit + " has no device connected";
        return false;
    }
    ParseStandardInquiry(data, got, &identity_);

    std::memset(data, 0, sizeof(data));
    const std::uint8_t serialPage[6] = {0x12, 0x01, 0x80, 0, sizeof(data), 0};
    identity_.serialNumber = ParseSerialNumberPage(data, Ask(serialPage, 6, data, sizeof(data), timeOutSeconds));

    std::memset(data, 0, sizeof(data));
    const std::uint8_t limitsPage[6] = {0x12, 0x01, 0xB0, 0, 64, 0};
    const std::uint32_t maximumBlocks = ParseMaximumTransferBlocks(data, Ask(limitsPage, 6, data, 64, timeOutSeconds));
    std::memset(data, 0, sizeof(data));
    const std::uint8_t readCapacity[10] = {0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::uint32_t blockLength = 0;
    if (Ask(readCapacity, 10, data, 8, timeOutSeconds) >= 8) {
        blockLength = (std::uint32_t{data[4]} << 24) | (std::uint32_t{data[5]} << 16) | (std::uint32_t{data[6]} << 8) |
                      data[7];
    }
    identity_.maximumTransferLength =
        MaximumTransferBytes(maximumBlocks, blockLength, defaultMaximumTransferLength, kTransferCap);
    if (!session_.IsAlive()) {
        *error = session_.Error();
        return false;
    }
    return true;
}

bool IscsiLogicalUnit::PassThrough(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                   std::uint32_t* returned, std::string* error) {
    // What a port driver checks before a request reaches the device.
    if (!in || !out || inSize < sizeof(ScsiPassThroughDirect) || outSize < sizeof(ScsiPassThroughDirect)) {
        *error = "pass-through request buffers too small";
        return false;
    }
    ScsiPassThroughDirect sptd;
    std::memcpy(&sptd, in, sizeof(sptd));
    if (sptd.Length != sizeof(ScsiPassThroughDirect) || sptd.CdbLength == 0 || sptd.CdbLength > 16 ||
        sptd.DataIn > kScsiIoctlDataUnspecified) {
        *error = "malformed pass-through request";
        return false;
    }
    if (sptd.SenseInfoLength > 0 && (sptd.SenseInfoOffset < sizeof(ScsiPassThroughDirect) ||
                                     std::uint64_t{sptd.SenseInfoOffset} + sptd.SenseInfoLength > outSize)) {
        *error = "sense area outside the pass-through request";
        return false;
    }
    if (sptd.DataTransferLength > 0 && (sptd.DataBuffer == nullptr || sptd.DataIn == kScsiIoctlDataUnspecified)) {
        *error = "pass-through request without a data buffer or direction";
        return false;
    }
    if (sptd.DataTransferLength > identity_.maximumTransferLength) {
        *error = "transfer of " + std::to_string(sptd.DataTransferLength) + " bytes, more than the adapter's " +
                 std::to_string(identity_.maximumTransferLength);
        return false;
    }

    IscsiCommand command;
    command.cdb = sptd.Cdb;
    command.cdbLength = sptd.CdbLength;
    command.direction = sptd.DataIn == kScsiIoctlDataIn ? IscsiDirection::In : IscsiDirection::Out;
    command.data = static_cast<std::uint8_t*>(sptd.DataBuffer);
    command.length = sptd.DataTransferLength;
    command.timeOutSeconds = sptd.TimeOutValue != 0 ? sptd.TimeOutValue : kUnstatedTimeOutSeconds;
    IscsiOutcome outcome;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        outcome = session_.Execute(command);
        if (!outcome.delivered) *error = session_.Error();
    }
    if (!outcome.delivered) return false;

    auto* request = static_cast<std::uint8_t*>(out);
    std::uint32_t reported = sizeof(ScsiPassThroughDirect);
    sptd.ScsiStatus = outcome.status;
    // An underrun writes the bytes really moved back, so a request reused unchanged asks for
    // less next time, as on Windows.
    sptd.DataTransferLength = outcome.transferred;
    if (outcome.status == kStatusCheckCondition && sptd.SenseInfoLength > 0) {
        const std::uint32_t n = std::min<std::uint32_t>(static_cast<std::uint32_t>(outcome.sense.size()),
                                                        sptd.SenseInfoLength);
        std::memset(request + sptd.SenseInfoOffset, 0, sptd.SenseInfoLength);
        if (n > 0) std::memcpy(request + sptd.SenseInfoOffset, outcome.sense.data(), n);
        reported = sptd.SenseInfoOffset + n;
    }
    std::memcpy(request, &sptd, sizeof(sptd));
    if (returned) *returned = reported;
    return true;
}

bool IscsiLogicalUnit::QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                     std::uint32_t* returned) {
    constexpr std::uint32_t kPropertyExistsQuery = 1;
    StoragePropertyQuery query{};
    if (!in || inSize < 8) return false;
    std::memcpy(&query, in, std::min<std::size_t>(inSize, sizeof(query)));
    const bool known = query.PropertyId == kStorageDeviceProperty || query.PropertyId == kStorageAdapterProperty;
    if (query.QueryType == kPropertyExistsQuery) return known;
    if (query.QueryType != kPropertyStandardQuery) return false;
    std::vector<std::uint8_t> d;
    if (query.PropertyId == kStorageDeviceProperty) {
        d = IscsiDeviceDescriptor(identity_);
    } else if (query.PropertyId == kStorageAdapterProperty) {
        d = IscsiAdapterDescriptor(identity_);
    } else {
        return false;
    }
    return DeliverDescriptor(d, out, outSize, returned);
}

}  // namespace sektra
