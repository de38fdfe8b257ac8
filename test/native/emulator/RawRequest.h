#pragma once
// Sends hand-built pass-through requests and storage queries straight to an EmulatedPort, so
// the tests see exactly what reaches the emulated device and what comes back.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "device/ScsiRequest.h"
#include "device/Sense.h"
#include "device/StorageStructs.h"
#include "emulator/EmulatedPort.h"

namespace sektra::test {

struct RawOutcome {
    bool ok = false;  // the control call succeeded
    std::uint8_t status = 0xEE;
    std::uint8_t key = 0xEE, asc = 0xEE, ascq = 0xEE;
    ScsiRequest request{};
};

class RawDevice {
public:
    RawDevice(EmulatedPort& port, int interfaceClass = 0, std::uint32_t member = 0)
        : port_(port), handle_(port.Open(interfaceClass, member)) {}
    ~RawDevice() { port_.Close(handle_); }
    PortHandle Handle() const { return handle_; }

    // Sends the request as it is after `prepare` has changed it.
    template <typename Prepare>
    RawOutcome SendPrepared(std::initializer_list<std::uint8_t> cdb, std::uint8_t dataIn, void* data,
                            std::uint32_t length, Prepare prepare) {
        RawOutcome o;
        InitScsiRequest(&o.request, static_cast<std::uint8_t>(cdb.size()), dataIn, data, length, 2);
        std::copy(cdb.begin(), cdb.end(), o.request.sptd.Cdb);
        prepare(o.request);
        std::uint32_t returned = 0;
        o.ok = port_.Control(handle_, kIoctlScsiPassThroughDirect, &o.request, sizeof(o.request),
                             &o.request, sizeof(o.request), &returned);
        o.status = o.request.sptd.ScsiStatus;
        const SenseFields sense = ReadSense(o.request.sense, kSenseInfoLength);
        o.key = sense.key;
        o.asc = sense.asc;
        o.ascq = sense.ascq;
        return o;
    }

    RawOutcome Send(std::initializer_list<std::uint8_t> cdb, std::uint8_t dataIn, void* data,
                    std::uint32_t length) {
        return SendPrepared(cdb, dataIn, data, length, [](ScsiRequest&) {});
    }

    // A data-in command into `data` (its whole size).
    RawOutcome In(std::initializer_list<std::uint8_t> cdb, std::vector<std::uint8_t>& data) {
        return Send(cdb, kScsiIoctlDataIn, data.data(), static_cast<std::uint32_t>(data.size()));
    }
    RawOutcome Out(std::initializer_list<std::uint8_t> cdb, std::vector<std::uint8_t>& data) {
        return Send(cdb, kScsiIoctlDataOut, data.data(), static_cast<std::uint32_t>(data.size()));
    }

    // IOCTL_STORAGE_QUERY_PROPERTY; false when the call fails.
    bool Query(std::uint32_t propertyId, std::vector<std::uint8_t>& out, std::uint32_t* returned,
               std::uint32_t queryType = kPropertyStandardQuery) {
        StoragePropertyQuery q{};
        q.PropertyId = propertyId;
        q.QueryType = queryType;
        return port_.Control(handle_, kIoctlStorageQueryProperty, &q, sizeof(q), out.data(),
                             static_cast<std::uint32_t>(out.size()), returned);
    }

    // SMART_RCV_DRIVE_DATA with an IDENTIFY command; `out` receives the 528-byte reply.
    bool Identify(std::uint8_t command, std::vector<std::uint8_t>& out) {
        std::uint8_t in[kSendCmdInParamsSize] = {};
        SendCmdInParams params{};
        params.cBufferSize = 512;
        params.irDriveRegs.bSectorCountReg = 1;
        params.irDriveRegs.bSectorNumberReg = 1;
        params.irDriveRegs.bDriveHeadReg = 0xA0;
        params.irDriveRegs.bCommandReg = command;
        std::memcpy(in, &params, sizeof(in));
        std::uint32_t returned = 0;
        return port_.Control(handle_, kSmartRcvDriveData, in, sizeof(in), out.data(),
                             static_cast<std::uint32_t>(out.size()), &returned);
    }

private:
    EmulatedPort& port_;
    PortHandle handle_;
};

inline std::uint32_t Be16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] << 8 | p[1]); }
inline std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
inline std::uint64_t Be64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(Be32(p)) << 32 | Be32(p + 4);
}

}  // namespace sektra::test
