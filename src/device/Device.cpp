#include "device/Device.h"

#include "device/ByteOrder.h"
#include "device/CommandGuard.h"

namespace sektra {

Device::Device(DevicePort* port, std::uint8_t pathId, std::uint8_t targetId, std::uint8_t lun)
    : port(port), pathId(pathId), targetId(targetId), lun(lun) {}

Device::~Device() {
    if (handle != kInvalidPortHandle) {
        port->Close(handle);
        handle = kInvalidPortHandle;
    }
}

int Device::Open(int interfaceClass, std::uint32_t memberIndex) {
    if (!port) return -1;
    // Meant to be called once; a second call must not leak the first handle.
    if (handle != kInvalidPortHandle) port->Close(handle);
    handle = port->Open(interfaceClass, memberIndex);
    return handle == kInvalidPortHandle ? -1 : 0;
}

void Device::SetWriteProtected(bool value) { writeProtected = value; }

bool Device::IsWriteProtected() { return writeProtected; }

bool Device::Control(std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize) {
    // A device that was never opened fails like a closed handle would.
    if (handle == kInvalidPortHandle) return false;
    // Every SCSI command passes here, from the typed operations and the measuring threads alike:
    // the one place where commands that destroy a medium or change firmware are stopped.
    if (ioControlCode == kIoctlScsiPassThroughDirect) {
        if (in == nullptr || inSize < sizeof(ScsiPassThroughDirect)) return false;
        const auto* request = static_cast<const ScsiPassThroughDirect*>(in);
        if (request->CdbLength > sizeof(request->Cdb) || !IsPermittedCommand(request->Cdb, request->CdbLength)) {
            return false;
        }
    }
    std::uint32_t returned = 0;
    return port->Control(handle, ioControlCode, in, inSize, out, outSize, &returned);
}

bool Device::QueryControl(std::uint32_t ioControlCode, void* out, std::uint32_t outSize, std::uint32_t* returned) {
    *returned = 0;
    if (handle == kInvalidPortHandle || ioControlCode == kIoctlScsiPassThroughDirect) return false;
    return port->Control(handle, ioControlCode, nullptr, 0, out, outSize, returned);
}

int Device::ExecutePassThrough(ScsiRequest* request) {
    request->sptd.PathId = pathId;
    request->sptd.TargetId = targetId;
    request->sptd.Lun = lun;
    return Control(kIoctlScsiPassThroughDirect, request, sizeof(ScsiRequest), request,
                   sizeof(ScsiRequest)) ? 0 : -1;
}

std::uint16_t Device::SwapBytes16(std::uint16_t value) { return ByteSwap16(value); }

std::uint32_t Device::SwapBytes32(std::uint32_t value) { return ByteSwap32(value); }

std::uint64_t Device::SwapBytes64(std::uint32_t first, std::uint32_t second) {
    return (std::uint64_t{ByteSwap32(first)} << 32) | ByteSwap32(second);
}

}  // namespace sektra
