#pragma once
// A device port with one member: a disk (interface class 0, member 0) that is a real file or
// block device read and written unbuffered. It lets the unchanged Device and measuring code
// time a real storage device on systems without SCSI pass-through, and it is what the accuracy
// benchmark measures beside the reference tool.
//
// What it answers: the pass-through (see FileTarget) and the storage property query (device
// descriptor with bus type "File Backed Virtual", adapter descriptor with the transfer limits
// and the 4 KiB buffer alignment). Requests the port cannot carry out unbuffered are refused:
// the control call fails, and LastRefusal says why.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "device/DevicePort.h"
#include "filedevice/FileTarget.h"
#include "filedevice/UnbufferedFile.h"

namespace sektra {

enum class FileAccess { ReadOnly, ReadWrite };

class FileDevicePort : public DevicePort {
public:
    // Largest single transfer the port accepts, and the pages a buffer of it may span.
    static constexpr std::uint32_t kMaximumTransferLength = 1024 * 1024;
    static constexpr std::uint32_t kMaximumPhysicalPages = kMaximumTransferLength / 4096 + 1;

    FileDevicePort() = default;
    ~FileDevicePort() override;

    // Opens the file behind the member; a ReadOnly port refuses every WRITE(10) with DATA
    // PROTECT. False, and the reason in `error`, when it cannot be opened unbuffered. Call it
    // before the first Open and only once.
    bool Attach(const std::string& path, FileAccess access, std::string* error);

    // Blocks of 512 bytes: the file's size when attached, rounded down.
    std::uint64_t BlockCount() const;

    // Commands that ended in CHECK CONDITION, and requests refused, since Attach. A measuring
    // run only looks at the control call's result, so these tell whether it measured failures.
    std::uint64_t CheckConditionCount() const { return checkConditions_.load(std::memory_order_relaxed); }
    std::uint64_t RefusedCount() const { return refused_.load(std::memory_order_relaxed); }
    std::string LastRefusal() const;

    // DevicePort.
    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override;
    bool Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override;
    void Close(PortHandle handle) override;

private:
    bool PassThrough(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* returned);
    bool QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* returned);
    bool Refuse(const char* reason);

    UnbufferedFile file_;
    std::unique_ptr<FileTarget> target_;

    mutable std::mutex mutex_;  // the handle set and the refusal text
    std::set<PortHandle> handles_;
    PortHandle nextHandle_ = 0x100;
    std::string lastRefusal_;
    std::atomic<std::uint64_t> checkConditions_{0};
    std::atomic<std::uint64_t> refused_{0};
};

}  // namespace sektra
