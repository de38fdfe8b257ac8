#pragma once
// The emulated devices that `/DEMO` lists, and ready-made disks for tests and benchmarks.
// Every one is named "SEKTRA ... DEMO/TEST ..." so nobody takes it for hardware.
#include <cstdint>
#include <memory>
#include <vector>

#include "emulator/DeviceConfig.h"
#include "emulator/EmulatedPort.h"

namespace sektra {

struct DemoDevice {
    int interfaceClass;
    DeviceConfig config;
};

// The demo set, each class in the order the port lists it (the vector keeps the positions of
// the first six and adds later devices at its end):
//   disk 0    ATA hard disk: bus ATA, 512-byte blocks, 2 GiB, IDENTIFY, SEEK, VPD 80h, caching page
//   disk 1    SCSI disk: VPD 80h/83h, log, mode and defect pages, a 2 MiB drive buffer
//   disk 2    USB flash disk: refuses SEEK(10), no log or mode pages beyond caching
//   disk 3    SCSI disk of 2^33 blocks (4 TiB), too large for READ CAPACITY(10)
//   disk 4    SCSI disk of 12 TB: 512-byte logical, 4096-byte physical blocks, descriptor-format
//             sense; its seek test measures access time (blocks beyond SEEK(10)'s reach)
//   disk 5    SCSI disk of 4096-byte logical blocks (4 GiB)
//   disk 6    SCSI disk holding an MBR with two partitions (write tests are refused)
//   disk 7    SCSI disk holding a GPT (write tests are refused)
//   disk 8    SATA flash disk behind the translation layer (bus 11): IDENTIFY with TRIM and
//             4096-byte physical sectors, SMART attributes and thresholds, no SEEK
//   disk 9    NVMe disk (bus 17): identify controller and namespace and the health log
//   CD-ROM 0  ATAPI CD-ROM drive: 2048-byte blocks, read-only medium, IDENTIFY PACKET
//   changer 0 SCSI medium changer
// Sizes and rates: a sequential read of the whole ATA disk at 64 KB takes 33 seconds of
// modelled time (in Real mode, that long on the clock).
std::vector<DemoDevice> DemoDevices(TimeMode mode);
std::unique_ptr<EmulatedPort> MakeDemoPort(TimeMode mode = TimeMode::Real);

// A SCSI disk with everything a disk answers (VPD, log, mode, defect pages, a 1 MiB buffer),
// 512-byte blocks, a 1 MiB adapter limit, and the given timing.
DeviceConfig TestDisk(std::uint64_t blockCount = 2097152, const TimingModel& timing = {});

// A disk whose commands take no time: what is left is the program's own overhead.
DeviceConfig ZeroTimeDisk();

// A disk whose commands really take commandNs + bytes * 1e9 / bytesPerSecond (spinning on the
// steady clock), for checking the accuracy of the program's timing; for example
// FixedRealTimeDisk(0, 655360000) spends exactly 100 us on every 64 KB read.
DeviceConfig FixedRealTimeDisk(std::uint64_t commandNs, std::uint64_t bytesPerSecond);

}  // namespace sektra
