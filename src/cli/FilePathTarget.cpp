// file:PATH, a file or block device read unbuffered as a disk of 512-byte blocks (the
// file-backed device port), for comparing the engine's figures with other tools on the same
// storage. Read-only: a writing test ends at its first command with DATA PROTECT.
#include <string>

#include "cli/Targets.h"
#include "filedevice/FileDevicePort.h"

namespace sektra {
namespace {

OpenStatus OpenFile(const std::string& rest, const TargetContext&, Target* target, std::string* error) {
    if (rest.empty()) {
        *error = "file: needs a path, for example file:/data/test.bin";
        return OpenStatus::Malformed;
    }
    auto port = std::make_unique<FileDevicePort>();
    if (!port->Attach(rest, FileAccess::ReadOnly, error)) {
        *error = "file:" + rest + ": " + *error;
        return OpenStatus::Unavailable;
    }
    target->ownPort = std::move(port);
    target->device = std::make_unique<Device>(target->ownPort.get());
    if (target->device->Open(0, 0) != 0) {
        *error = "file:" + rest + " holds no whole block of 512 bytes";
        return OpenStatus::Unavailable;
    }
    return OpenStatus::Opened;
}

}  // namespace

const TargetScheme kFileScheme = {"file:", false, OpenFile, nullptr};

}  // namespace sektra
