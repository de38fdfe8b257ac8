#pragma once
// A device port whose devices are logical units of iSCSI targets, reached over libiscsi: the
// unchanged Device, the device tree and every test thread run against a real SCSI target.
// Native builds only.
//
// Each handle is a session of its own (as each CreateFileW is a handle of its own), and every
// control call on it is one synchronous command. The UI thread and a measuring thread may call
// Control on one handle at once, as DeviceIoControl allows: the calls on a handle take turns.
//
// What it answers: the pass-through (status, sense bytes and the bytes really moved, as the
// Windows port returns them) and the storage property query (device descriptor with bus type
// iSCSI, texts from INQUIRY and VPD page 80h; adapter descriptor with the logical unit's maximum
// transfer length from VPD page B0h). SMART_RCV_DRIVE_DATA fails, as on any disk that is not
// ATA. A lost connection or a target that does not answer in time makes the control call fail;
// the handle then stays dead until the device is opened again.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/DevicePort.h"

namespace sektra {

struct IscsiUrl {
    std::string host;
    std::uint16_t port = 3260;
    std::string targetIqn;
    std::uint32_t lun = 0;
};

// iscsi://HOST[:PORT]/TARGET-IQN/LUN, HOST a name, an IPv4 address or an IPv6 address in
// brackets. False, and what is wrong in `error`, for anything else.
bool ParseIscsiUrl(const std::string& text, IscsiUrl* url, std::string* error);

class IscsiLogicalUnit;

class IscsiDevicePort : public DevicePort {
public:
    // Largest transfer when the logical unit states no limit of its own.
    static constexpr std::uint32_t kDefaultMaximumTransferLength = 1024 * 1024;
    // Time-out of logging in and of the commands that identify a logical unit.
    static constexpr std::uint32_t kLoginTimeOutSeconds = 5;

    explicit IscsiDevicePort(std::vector<std::string> urls);
    ~IscsiDevicePort() override;

    // Open(interfaceClass, memberIndex): member i of class 0 (disk, peripheral type 0),
    // 1 (CD-ROM, type 5) or 6 (medium changer, type 8) is the i-th URL whose logical unit has
    // that peripheral type. URLs that do not parse or cannot be reached belong to no class; one
    // that could not be reached is not tried again by this port (a dead portal would otherwise
    // cost its time-out once for every member of every class asked for).
    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override;
    bool Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override;
    void Close(PortHandle handle) override;

    // The last connect or I/O failure, plain English naming the portal, target or LUN; empty
    // when nothing failed yet.
    std::string LastError() const;

private:
    struct Entry {
        std::string text;
        bool valid = false;
        IscsiUrl url;
        int peripheralType = -1;  // -1: not known yet
        bool unreachable = false;
    };

    std::shared_ptr<IscsiLogicalUnit> Connect(Entry& entry);
    void SetError(const std::string& error);

    std::vector<Entry> entries_;
    std::mutex openMutex_;  // one Open at a time: it fills in the peripheral types
    mutable std::mutex mutex_;  // the handles and the last error
    std::map<PortHandle, std::shared_ptr<IscsiLogicalUnit>> handles_;
    PortHandle nextHandle_ = 0x100;
    std::string lastError_;
};

}  // namespace sektra
