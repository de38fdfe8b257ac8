#include "emulator/DemoSet.h"

#include "emulator/PartitionImages.h"

namespace sektra {

namespace {

// ATA drives report their model across the vendor and product fields of INQUIRY.
void SetAtaModel(DeviceConfig& config, const std::string& model) {
    config.vendor = model.substr(0, 8);
    config.product = model.size() > 8 ? model.substr(8, 16) : "";
}

DeviceConfig AtaHardDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 3;
    SetAtaModel(c, "SEKTRA DEMO HDD ATA 2GB");
    c.revision = "D100";
    c.serialNumber = "SKT0000A0001";
    c.blockCount = 4194304;  // 2 GiB
    c.blockLength = 512;
    c.vpdPages = {0x80};
    c.modePages = {0x08};
    c.maximumTransferLength = 131072;
    c.maximumPhysicalPages = 33;
    c.timing = {mode, 100000, 100000000, 50000000, 800000, 18000000, 8333333, 2048, 133000000};
    return c;
}

DeviceConfig ScsiDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "DEMO SCSI DISK";
    c.revision = "S200";
    c.serialNumber = "SKT0000S0002";
    c.blockCount = 8388608;  // 4 GiB
    c.blockLength = 512;
    c.vpdPages = {0x80, 0x83, 0xB0, 0xB1, 0xB2};
    c.logPages = {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F};
    c.modePages = {0x01, 0x08, 0x0A, 0x1C};
    c.rotationRate = 10000;
    c.formFactor = 3;  // 2.5-inch
    c.powerOnMinutes = 1234567;  // 20576 hours
    c.percentageUsed = 2;
    c.supportsDefectData = true;
    c.primaryDefects = 24;
    c.grownDefects = 3;
    c.bufferBytes = 2097152;
    c.maximumTransferLength = 1048576;
    c.maximumPhysicalPages = 257;
    c.timing = {mode, 50000, 160000000, 90000000, 400000, 8000000, 4000000, 4096, 320000000};
    return c;
}

DeviceConfig UsbFlashDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 7;
    c.removable = true;
    c.vendor = "SEKTRA";
    c.product = "DEMO USB FLASH";
    c.revision = "U1.0";
    c.serialNumber = "SKT0000U0003";
    c.blockCount = 1048576;  // 512 MiB
    c.blockLength = 512;
    c.vpdPages = {0x80};
    c.modePages = {0x08};
    c.modeBlockDescriptor = false;
    c.supportsSeek = false;
    c.maximumTransferLength = 65536;
    c.maximumPhysicalPages = 17;
    c.timing = {mode, 300000, 30000000, 0, 0, 0, 0, 0, 0};
    return c;
}

DeviceConfig LargeDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "DEMO 4TB DISK";
    c.revision = "L300";
    c.serialNumber = "SKT0000L0004";
    c.blockCount = 0x200000000ull;  // 2^33 blocks, 4 TiB
    c.blockLength = 512;
    c.vpdPages = {0x80, 0x83};
    c.logPages = {0x0D};
    c.modePages = {0x08, 0x0A};
    c.maximumTransferLength = 1048576;
    c.maximumPhysicalPages = 257;
    c.timing = {mode, 50000, 200000000, 100000000, 500000, 12000000, 8333333, 8192, 600000000};
    return c;
}

DeviceConfig HugeDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "DEMO 12TB DISK";
    c.revision = "H400";
    c.serialNumber = "SKT0000H0007";
    c.blockCount = 23437770752ull;  // 12 TB (12,000,138,625,024 bytes), as such disks are sold
    c.blockLength = 512;
    c.physicalBlockLength = 4096;
    // Its block addresses outgrow the 4-byte INFORMATION field of fixed-format sense.
    c.descriptorSense = true;
    c.vpdPages = {0x80, 0x83};
    c.logPages = {0x0D};
    c.modePages = {0x08, 0x0A};
    c.maximumTransferLength = 1048576;
    c.maximumPhysicalPages = 257;
    c.timing = {mode, 50000, 260000000, 120000000, 400000, 12000000, 8333333, 8192, 600000000};
    return c;
}

DeviceConfig NativeFourKDisk(TimeMode mode) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "DEMO 4KN DISK";
    c.revision = "K500";
    c.serialNumber = "SKT0000K0008";
    c.blockCount = 1048576;  // 4 GiB of 4096-byte blocks
    c.blockLength = 4096;
    c.vpdPages = {0x80, 0x83};
    c.modePages = {0x08, 0x0A};
    c.maximumTransferLength = 1048576;
    c.maximumPhysicalPages = 257;
    c.timing = {mode, 50000, 160000000, 90000000, 400000, 8000000, 4000000, 512, 320000000};
    return c;
}

// Two disks that hold data, so the refusal of the write tests can be tried.
DeviceConfig PartitionedDisk(TimeMode mode, bool gpt) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = gpt ? "DEMO GPT DISK" : "DEMO MBR DISK";
    c.revision = "P1.0";
    c.serialNumber = gpt ? "SKT0000G0010" : "SKT0000B0009";
    c.blockCount = 2097152;  // 1 GiB
    c.blockLength = 512;
    c.vpdPages = {0x80, 0x83};
    c.modePages = {0x08};
    c.initialBlocks = gpt ? GptDiskImage(c.blockCount) : MbrDiskImage(c.blockCount);
    c.maximumTransferLength = 131072;
    c.maximumPhysicalPages = 33;
    c.timing = {mode, 100000, 120000000, 60000000, 800000, 16000000, 8333333, 2048, 150000000};
    return c;
}

DeviceConfig AtapiCdRom(TimeMode mode) {
    DeviceConfig c;
    c.peripheralType = 5;
    c.removable = true;
    c.busType = 2;
    SetAtaModel(c, "SEKTRA DEMO CD-ROM ATAPI");
    c.revision = "C1.0";
    c.serialNumber = "SKT0000C0005";
    c.blockCount = 225000;  // about 460 MB
    c.blockLength = 2048;
    c.readOnly = true;
    c.modePages = {0x01, 0x2A};
    c.modeBlockDescriptor = false;
    c.maximumTransferLength = 65536;
    c.maximumPhysicalPages = 17;
    // Constant angular velocity: the inner tracks (block 0) are read slowest.
    c.timing = {mode, 200000, 4800000, 9600000, 10000000, 150000000, 0, 0, 0};
    return c;
}

// A SATA flash disk behind Windows' SCSI translation layer: INQUIRY says "ATA", few log pages,
// no defect lists and no SEEK; IDENTIFY and SMART come through the SMART control code.
DeviceConfig SataSsd(TimeMode mode) {
    DeviceConfig c;
    c.busType = 11;
    c.ataModel = "SEKTRA DEMO SATA SSD 256GB";
    c.ataFirmware = "SDEMO100";
    c.serialNumber = "SKT0000A0011";
    c.blockCount = 500118192;  // 256 GB
    c.blockLength = 512;
    c.physicalBlockLength = 4096;
    c.ataRotationRate = 1;
    c.ataTrim = true;
    c.sataGeneration = 3;
    c.smartAttributes = true;
    c.temperatureCelsius = 38;
    c.vpdPages = {0x80, 0x83};
    c.logPages = {0x10};
    c.modePages = {0x08, 0x0A};
    c.supportsSeek = false;
    c.maximumTransferLength = 131072;
    c.maximumPhysicalPages = 33;
    c.timing = {mode, 60000, 520000000, 0, 0, 0, 0, 0, 0};
    return c;
}

// An NVMe disk: INQUIRY and VPD 80h/83h as Windows translates them, its identify data and
// health log through the protocol-specific property query.
DeviceConfig NvmeSsd(TimeMode mode) {
    DeviceConfig c;
    c.busType = 17;
    c.vendor = "NVMe";
    c.product = "SEKTRA DEMO NVME";
    c.revision = "N100";
    c.nvmeModel = "SEKTRA DEMO NVME SSD 512GB";
    c.nvmeFirmware = "N100DEMO";
    c.serialNumber = "SKT0000N0012";
    c.blockCount = 1000215216;  // 512 GB
    c.blockLength = 512;
    c.temperatureCelsius = 41;
    c.vpdPages = {0x80, 0x83};
    c.modePages = {0x08};
    c.supportsSeek = false;
    c.maximumTransferLength = 131072;
    c.maximumPhysicalPages = 33;
    c.timing = {mode, 20000, 2000000000, 0, 0, 0, 0, 0, 0};
    return c;
}

DeviceConfig MediumChanger(TimeMode mode) {
    DeviceConfig c;
    c.peripheralType = 8;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "DEMO CHANGER";
    c.revision = "M1.0";
    c.serialNumber = "SKT0000M0006";
    c.vpdPages = {0x80};
    c.timing.mode = mode;
    return c;
}

}  // namespace

std::vector<DemoDevice> DemoDevices(TimeMode mode) {
    return {
        {kInterfaceClassDisk, AtaHardDisk(mode)},
        {kInterfaceClassDisk, ScsiDisk(mode)},
        {kInterfaceClassDisk, UsbFlashDisk(mode)},
        {kInterfaceClassDisk, LargeDisk(mode)},
        {kInterfaceClassCdRom, AtapiCdRom(mode)},
        {kInterfaceClassMediumChanger, MediumChanger(mode)},
        // Later additions go last, so the list keeps the positions tests know.
        {kInterfaceClassDisk, HugeDisk(mode)},
        {kInterfaceClassDisk, NativeFourKDisk(mode)},
        {kInterfaceClassDisk, PartitionedDisk(mode, false)},
        {kInterfaceClassDisk, PartitionedDisk(mode, true)},
        {kInterfaceClassDisk, SataSsd(mode)},
        {kInterfaceClassDisk, NvmeSsd(mode)},
    };
}

std::unique_ptr<EmulatedPort> MakeDemoPort(TimeMode mode) {
    auto port = std::make_unique<EmulatedPort>();
    for (const DemoDevice& d : DemoDevices(mode)) port->AddDevice(d.interfaceClass, d.config);
    return port;
}

DeviceConfig TestDisk(std::uint64_t blockCount, const TimingModel& timing) {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "SEKTRA";
    c.product = "TEST DISK";
    c.revision = "T1.0";
    c.serialNumber = "SKT0000T0001";
    c.blockCount = blockCount;
    c.blockLength = 512;
    c.vpdPages = {0x80, 0x83, 0xB0, 0xB1, 0xB2};
    c.logPages = {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F};
    c.modePages = {0x01, 0x08, 0x0A, 0x1C};
    // A thin-provisioned flash disk, so the decoders meet the other half of each field.
    c.rotationRate = 1;
    c.formFactor = 3;
    c.thinProvisioned = true;
    c.powerOnMinutes = 600000;
    c.percentageUsed = 3;
    c.supportsDefectData = true;
    c.primaryDefects = 8;
    c.grownDefects = 2;
    c.bufferBytes = 1048576;
    c.maximumTransferLength = 1048576;
    c.maximumPhysicalPages = 257;
    c.timing = timing;
    return c;
}

DeviceConfig ZeroTimeDisk() {
    TimingModel timing;
    timing.mode = TimeMode::Zero;
    return TestDisk(2097152, timing);
}

DeviceConfig FixedRealTimeDisk(std::uint64_t commandNs, std::uint64_t bytesPerSecond) {
    TimingModel timing;
    timing.mode = TimeMode::Real;
    timing.commandNs = commandNs;
    timing.outerBytesPerSecond = bytesPerSecond;
    return TestDisk(2097152, timing);
}

}  // namespace sektra
