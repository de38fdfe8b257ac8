#pragma once
// What an emulated device is: its identity, its medium, the pages it answers, the limits of
// the adapter in front of it, and how long its commands take.
#include <cstdint>
#include <string>
#include <vector>

namespace sektra {

// How a command's modelled duration is spent.
enum class TimeMode {
    Zero,     // commands take no time at all (measures the program's own overhead)
    Virtual,  // the duration advances the port's VirtualClock; nothing waits
    Real,     // the command really takes that long on the steady clock (spins; sleeps when long)
};

// The duration of one command, in nanoseconds, truncated at every division:
//
//   every command             commandNs
//   READ/WRITE(10)/(16),      + Positioning(head, lba) + bytes * 1e9 / MediaRate(lba)
//   VERIFY(10),                 (a READ wholly inside the read cache, unless it asks for the
//   WRITE AND VERIFY(10)        medium with FUA, instead adds bytes * 1e9 /
//                               interfaceBytesPerSecond and does not move the head)
//   SEEK(10)                  + Positioning(head, lba)
//   READ/WRITE BUFFER         + bytes * 1e9 / BufferRate
//   anything else, and every command that ends in CHECK CONDITION: commandNs only
//
//   Positioning(from, to) = 0 when from == to, else
//                           trackSeekNs + (fullSeekNs - trackSeekNs) * |to - from| / blockCount
//                           + rotationNs / 2
//   MediaRate(lba)        = outer - (outer - inner) * lba / blockCount
//                           (inner 0 means the same as outer; outer 0 means no transfer time)
//   BufferRate            = interfaceBytesPerSecond, or outer when that is 0
//
// The head starts at block 0 and stays after the last block a media command touched (the
// target of a SEEK). The read cache holds the last cacheBlocks blocks of the most recent
// READ (none after a write that overlaps them); it exists only when cacheBlocks and
// interfaceBytesPerSecond are both nonzero. In Virtual mode the clock advances by
// ns * ticksPerSecond / 1e9 (truncated) per command.
//
// The simplest model, "fixed cost per command + bytes / rate", sets commandNs and
// outerBytesPerSecond only.
struct TimingModel {
    TimeMode mode = TimeMode::Zero;
    std::uint64_t commandNs = 0;
    std::uint64_t outerBytesPerSecond = 0;
    std::uint64_t innerBytesPerSecond = 0;
    std::uint64_t trackSeekNs = 0;
    std::uint64_t fullSeekNs = 0;
    std::uint64_t rotationNs = 0;
    std::uint32_t cacheBlocks = 0;
    std::uint64_t interfaceBytesPerSecond = 0;
};

// One device. Texts are padded with blanks or cut to their field widths when sent.
struct DeviceConfig {
    // Identity.
    std::uint8_t peripheralType = 0;  // INQUIRY byte 0: 0 disk, 5 CD-ROM, 8 medium changer
    bool removable = false;           // INQUIRY RMB bit and the device descriptor's RemovableMedia
    std::uint32_t busType = 1;        // STORAGE_BUS_TYPE (1 SCSI, 2 ATAPI, 3 ATA, 7 USB, ...)
    // INQUIRY vendor (8), product (16) and revision (4) fields. ATA and ATAPI devices carry
    // their model across vendor and product, as Windows' ATA port reports it; their IDENTIFY
    // block's model field is vendor + product.
    std::string vendor = "SEKTRA";
    std::string product = "DEMO DISK";
    std::string revision = "1.00";
    std::string serialNumber = "";  // empty: no serial in the descriptor, VPD 80h and IDENTIFY blank
    // A SATA disk (bus type 11) behind the SCSI translation layer: its IDENTIFY model (up to 40
    // characters) and firmware (8). When set, INQUIRY shows them translated (vendor "ATA", the
    // model's first 16 characters, 4 of the firmware) and vendor/product/revision are unused.
    std::string ataModel = "";
    std::string ataFirmware = "";
    // More of an ATA or SATA disk's IDENTIFY block: the nominal rotation rate (word 217; 1 is a
    // medium that does not rotate), TRIM (word 169) and the fastest SATA generation, 1 to 3
    // (word 76; 0 leaves the word out). Word 106 carries physicalBlockLength when it is set.
    std::uint16_t ataRotationRate = 7200;
    bool ataTrim = false;
    std::uint8_t sataGeneration = 0;
    // The disk answers SMART READ ATTRIBUTES and READ THRESHOLDS (ATA and SATA only).
    bool smartAttributes = false;
    // An NVMe disk (bus type 17): its Identify Controller model (up to 40 characters) and
    // firmware (8). INQUIRY keeps vendor, product and revision, as Windows translates them.
    std::string nvmeModel = "";
    std::string nvmeFirmware = "";

    // Medium. blockCount 0 (a medium changer) makes every block command unsupported.
    std::uint64_t blockCount = 0;
    std::uint32_t blockLength = 512;
    std::uint32_t physicalBlockLength = 0;  // 0: as blockLength; 4096 over 512 is a 512e disk
    bool mediumPresent = true;  // false: medium commands end NOT READY, ASC 3Ah
    bool readOnly = false;      // true: WRITE(10)/(16), WRITE AND VERIFY(10), FORMAT UNIT end DATA PROTECT
    bool descriptorSense = false;  // sense data in descriptor format (72h) instead of fixed (70h)

    // What the device answers besides INQUIRY standard data and the block commands. An empty
    // list or a false flag makes the command unsupported (ILLEGAL REQUEST, ASC 20h), except
    // vpdPages: an empty list refuses every VPD request with ASC 24h.
    std::vector<std::uint8_t> vpdPages;   // from 80h, 83h, B0h, B1h, B2h; page 00h exists when any does
    std::vector<std::uint8_t> logPages;   // from 02h, 03h, 05h, 0Dh, 0Eh, 10h, 11h, 15h, 2Fh; page 00h always with them
    std::vector<std::uint8_t> modePages;  // from 01h, 08h, 0Ah, 1Ch, 2Ah; 3Fh returns them all
    bool modeBlockDescriptor = true;      // MODE SENSE(10) returns a block descriptor
    bool supportsSeek = true;
    bool supportsDefectData = false;
    std::uint32_t primaryDefects = 0;  // entries in the primary list (format 5)
    std::uint32_t grownDefects = 0;    // entries in the grown list
    std::uint32_t bufferBytes = 0;     // READ/WRITE BUFFER data-mode buffer; 0: no buffer commands
    std::uint8_t temperatureCelsius = 38;
    // Health and characteristics the pages above report.
    std::uint16_t rotationRate = 0;      // VPD B1h: 0 not reported, 1 non-rotating (flash), else rpm
    std::uint8_t formFactor = 0;         // VPD B1h: 0 not reported, 2 3.5-inch, 3 2.5-inch, ...
    bool thinProvisioned = false;        // VPD B0h/B2h: UNMAP and WRITE SAME unmapping, thin type
    std::uint32_t powerOnMinutes = 0;    // log 15h
    std::uint8_t percentageUsed = 0;     // log 11h: endurance used, percent

    // The adapter in front of the device (storage adapter descriptor). A pass-through request
    // whose DataTransferLength exceeds maximumTransferLength, or whose buffer spans more than
    // maximumPhysicalPages pages of 4096 bytes, is refused as a port driver refuses it.
    std::uint32_t maximumTransferLength = 65536;
    std::uint32_t maximumPhysicalPages = 17;
    std::uint32_t alignmentMask = 0;

    // What the medium holds from block 0 on when the device is created (a partition table, say);
    // every other block reads as the never-written pattern.
    std::vector<std::uint8_t> initialBlocks;

    bool failOpen = false;  // the member exists, but opening it fails (sharing conflict, rights)

    TimingModel timing;
};

}  // namespace sektra
