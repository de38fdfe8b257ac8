#include "EngineFixture.h"

#include "device/ByteOrder.h"

namespace sektra {

bool ScriptedPort::Control(PortHandle handle, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                           std::uint32_t outSize, std::uint32_t* returned) {
    if (code == kIoctlScsiPassThroughDirect && in != nullptr && inSize >= sizeof(ScsiPassThroughDirect)) {
        const auto* sptd = static_cast<const ScsiPassThroughDirect*>(in);
        const std::uint8_t opcode = sptd->Cdb[0];
        const bool sixteen = opcode == 0x88 || opcode == 0x8A;
        if (opcode == 0x28 || opcode == 0x2A || opcode == 0x2B || opcode == 0x3B || opcode == 0x3C || sixteen) {
            SentCommand command = {};
            command.opcode = opcode;
            command.cdbLength = sptd->CdbLength;
            command.dataIn = sptd->DataIn;
            command.lba = sixteen ? LoadBigEndian64(&sptd->Cdb[2]) : LoadBigEndian32(&sptd->Cdb[2]);
            command.blocks = sixteen ? LoadBigEndian32(&sptd->Cdb[10]) : LoadBigEndian16(&sptd->Cdb[7]);
            command.length24 = (std::uint32_t{sptd->Cdb[6]} << 16) | (std::uint32_t{sptd->Cdb[7]} << 8) | sptd->Cdb[8];
            command.transferLength = sptd->DataTransferLength;
            std::copy(sptd->Cdb, sptd->Cdb + 16, command.cdb);
            std::uint64_t index;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                index = sent_.size() - base_;
                sent_.push_back(command);
            }
            bool ok = true;
            if (forwardMeasuring) ok = inner_.Control(handle, code, in, inSize, out, outSize, returned);
            inner_.Clock().Advance(ticks(index, command));
            return ok;
        }
    }
    return inner_.Control(handle, code, in, inSize, out, outSize, returned);
}

EngineFixture::EngineFixture(std::uint64_t blocks, std::uint32_t blockLength, std::uint32_t maximumTransferLength,
                             const std::function<void(DeviceConfig&)>& adjust) {
    DeviceConfig config;
    config.blockCount = blocks;
    config.blockLength = blockLength;
    config.bufferBytes = 1u << 20;
    config.maximumTransferLength = maximumTransferLength;
    config.maximumPhysicalPages = maximumTransferLength / 4096 + 1;
    config.timing.mode = TimeMode::Zero;
    if (adjust) adjust(config);
    emulated_ = &port_.AddDevice(kInterfaceClassDisk, config);
    device_ = std::make_unique<Device>(&scripted_);
    device_->Open(kInterfaceClassDisk, 0);
    // Not at 0: an end reading of exactly 0 means something of its own to the timing.
    port_.Clock().Advance(kTicksPerSecond);
}

std::uint32_t EngineFixture::RunDirect(TestThread& thread) {
    scripted_.MarkRunStart();
    thread.UseServices(services_);
    thread.SetRunning(true);
    return thread.Run();
}

}  // namespace sektra
