// iscsi://HOST[:PORT]/TARGET-IQN/LUN through the libiscsi port (native builds that have it).
// The port files the LUN as a disk, CD-ROM drive or medium changer by its peripheral type, so
// the target is opened as member 0 of whichever class takes it.
#include <vector>

#include "cli/Targets.h"
#include "device/iscsi/IscsiDevicePort.h"

namespace sektra {
namespace {

OpenStatus OpenIscsi(const std::string& rest, const TargetContext&, Target* target, std::string* error) {
    const std::string url = "iscsi://" + rest;
    IscsiUrl parsed;
    std::string parseError;
    if (!ParseIscsiUrl(url, &parsed, &parseError)) {
        *error = url + ": " + parseError;
        return OpenStatus::Malformed;
    }
    auto port = std::make_unique<IscsiDevicePort>(std::vector<std::string>{url});
    IscsiDevicePort* iscsi = port.get();
    target->ownPort = std::move(port);
    for (int interfaceClass : {0, 1, 6}) {
        auto device = std::make_unique<Device>(target->ownPort.get());
        if (device->Open(interfaceClass, 0) == 0) {
            target->interfaceClass = interfaceClass;
            target->device = std::move(device);
            return OpenStatus::Opened;
        }
    }
    const std::string reason = iscsi->LastError();
    *error = url + ": " + (reason.empty() ? "the LUN cannot be opened" : reason);
    return OpenStatus::Unavailable;
}

}  // namespace

const TargetScheme kIscsiScheme = {"iscsi://", false, OpenIscsi, nullptr};

}  // namespace sektra
