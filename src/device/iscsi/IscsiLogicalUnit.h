#pragma once
// One opened logical unit: its session, what it said about itself when it was opened, and the
// two control requests that reach it. The calls on one unit take turns.
#include <cstdint>
#include <mutex>
#include <string>

#include "device/iscsi/IscsiDescriptors.h"
#include "device/iscsi/IscsiSession.h"

namespace sektra {

struct IscsiUrl;

class IscsiLogicalUnit {
public:
    // Logs in and asks INQUIRY, VPD pages 80h and B0h and the block length. False, with the
    // reason in `error`, when the unit cannot be reached or is not there.
    bool Open(const IscsiUrl& url, std::uint32_t timeOutSeconds, std::uint32_t defaultMaximumTransferLength,
              std::string* error);
    const IscsiIdentity& Identity() const { return identity_; }

    // IOCTL_SCSI_PASS_THROUGH_DIRECT; false, with the reason in `error`, when the request is
    // malformed or the command did not complete.
    bool PassThrough(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* returned,
                     std::string* error);
    // IOCTL_STORAGE_QUERY_PROPERTY for the device and the adapter descriptor.
    bool QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* returned);

private:
    // One data-in command of the identification, into `data`; the bytes received, 0 on failure.
    std::uint32_t Ask(const std::uint8_t* cdb, std::uint8_t cdbLength, std::uint8_t* data, std::uint32_t length,
                      std::uint32_t timeOutSeconds);

    std::mutex mutex_;
    IscsiSession session_;
    IscsiIdentity identity_;
};

}  // namespace sektra
