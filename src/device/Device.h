#pragma once
// One opened storage device. Every command reaches the device through its DevicePort as one
// synchronous control request on the handle that Open obtained. The operations are virtual and
// declared in their fixed slot order; none of them takes a lock: the UI thread and at most one
// measurement thread share a Device, and each call builds its request on its own stack.
//
// Command operations return 0 when the request reached the device and -1 when the control call
// failed; whether the device was happy is in the status and sense data they leave in the
// IoBuffer (see Clean in CommandOutcome.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "device/DevicePort.h"
#include "device/ScsiRequest.h"

namespace sektra {

class Device {
public:
    // pathId, targetId and lun go into every request and never change.
    explicit Device(DevicePort* port = GetDefaultDevicePort(), std::uint8_t pathId = 0,
                    std::uint8_t targetId = 1, std::uint8_t lun = 0);
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    virtual ~Device();
    // Opens member memberIndex (0-based) of interface class interfaceClass (0 disk, 1 CD-ROM,
    // 6 medium changer); 0 on success, -1 on any failure. Called once, on a new Device.
    virtual int Open(int interfaceClass, std::uint32_t memberIndex);
    virtual void SetWriteProtected(bool writeProtected);

    // Identification and limits.
    virtual std::uint32_t GetBusType();         // STORAGE_BUS_TYPE, 0 when the query fails
    virtual std::uint32_t GetPeripheralType();  // 0 to 31; 31 when INQUIRY cannot be sent
    virtual std::uint32_t GetMaxTransferBytes();  // at most 16 MiB; 0 when the query fails
    virtual std::int32_t GetMaxReadBufferBytes();  // probed once
    virtual std::int32_t GetMaxReadSectors();      // probed once; -1 without a usable capacity
    // The three texts point into textBuffer and last until the next of these calls. A SATA
    // disk's model, firmware and serial number come from its IDENTIFY block, an NVMe disk's
    // from its Identify Controller data (the translated INQUIRY of both holds 16 characters
    // of the model); every other device's from INQUIRY and the storage device descriptor.
    virtual const char* GetModelName();
    virtual const char* GetModelNameWithRevision();
    virtual const char* GetRevision();
    virtual const char* GetSerialNumber();
    virtual bool IsWriteProtected();
    // The 512-byte IDENTIFY (PACKET) DEVICE block of an ATA, ATAPI or SATA device.
    virtual int IdentifyAta(std::uint8_t out[512]);

    // Sends a request the caller prepared completely (InitScsiRequest and the command block);
    // only the SCSI address is filled in here. The sense data stay in the request.
    virtual int ExecutePassThrough(ScsiRequest* request);

    // Typed commands: each builds its command block, sends it with io's buffer and length,
    // and copies the first 24 sense bytes into io->sense whatever the outcome.
    virtual int RequestSense(IoBuffer* io, std::uint8_t allocationLength);
    virtual int FormatUnit(IoBuffer* io, bool fmtData, bool cmpList, std::uint8_t defectListFormat,
                           std::uint16_t interleave);
    virtual int Inquiry(IoBuffer* io, bool cmdDt, bool evpd, std::uint8_t pageCode,
                        std::uint8_t allocationLength);
    // Capacity with a 64-bit last block address: READ CAPACITY(10), then READ CAPACITY(16)
    // when the short reply says 0xFFFFFFFF. Outputs 0 and 0 with result 0 when the device
    // refused either, answered a block length of 0, a reply too short for the fields, or a
    // size in bytes beyond 64 bits; both 0 with result -1 when a control call failed.
    virtual int GetCapacity(std::uint64_t* lastLba, std::uint32_t* blockLength);
    // READ CAPACITY(10) values; outputs 0 and 0 with result 0 when the device refused it.
    virtual int ReadCapacity(std::uint32_t* lastLba, std::uint32_t* blockLength);
    // longForm sets bit 1 of byte 1, a bit current devices reserve and refuse; nothing here
    // sends it (READ CAPACITY(16) is the way to a 64-bit address).
    virtual int ReadCapacityCommand(IoBuffer* io, bool longForm, bool relAdr, bool pmi,
                                    std::uint32_t lba);
    // READ CAPACITY(16): SERVICE ACTION IN(16) 9Eh, service action 10h.
    virtual int ReadCapacity16(IoBuffer* io, std::uint32_t allocationLength);
    virtual int Read10(IoBuffer* io, bool dpo, bool fua, bool relAdr, std::uint32_t lba,
                       std::uint16_t blocks);
    virtual int Write10(IoBuffer* io, bool dpo, bool fua, bool relAdr, std::uint32_t lba,
                        std::uint16_t blocks);
    virtual int Seek10(IoBuffer* io, std::uint32_t lba);
    virtual int WriteAndVerify10(IoBuffer* io, bool dpo, bool bytChk, bool relAdr,
                                 std::uint32_t lba, std::uint16_t blocks);
    virtual int Verify10(IoBuffer* io, bool dpo, bool bytChk, bool relAdr, std::uint32_t lba,
                         std::uint16_t blocks);
    virtual int SynchronizeCache10(IoBuffer* io, bool immed, bool relAdr, std::uint32_t lba,
                                   std::uint16_t blocks);
    virtual int ReadDefectData10(IoBuffer* io, bool plist, bool glist, std::uint8_t listFormat,
                                 std::uint16_t allocationLength);
    // Offset and length travel in 24 bits; higher bits are dropped.
    virtual int WriteBuffer(IoBuffer* io, std::uint8_t mode, std::uint8_t bufferId,
                            std::uint32_t offset, std::uint32_t length);
    virtual int ReadBuffer(IoBuffer* io, std::uint8_t mode, std::uint8_t bufferId,
                           std::uint32_t offset, std::uint32_t length);
    virtual int LogSense(IoBuffer* io, bool ppc, bool sp, std::uint8_t pageControl,
                         std::uint8_t pageCode, std::uint16_t parameterPointer,
                         std::uint16_t allocationLength);
    virtual int ModeSense10(IoBuffer* io, bool llbaa, bool dbd, std::uint8_t pageControl,
                            std::uint8_t pageCode, std::uint16_t allocationLength);

    virtual std::uint16_t SwapBytes16(std::uint16_t value);
    virtual std::uint32_t SwapBytes32(std::uint32_t value);
    // The value of an 8-byte big-endian field, given its two 32-bit words as they lie in memory.
    virtual std::uint64_t SwapBytes64(std::uint32_t first, std::uint32_t second);

    // The SMART data of an ATA or SATA disk through the SMART request: READ ATTRIBUTES (feature
    // D0h) and READ THRESHOLDS (D1h), 512 bytes each. 0 on success; -1 for other bus types or
    // when the call fails, with `out` zeroed.
    virtual int ReadSmartAttributes(std::uint8_t out[512]);
    virtual int ReadSmartThresholds(std::uint8_t out[512]);
    // NVMe data through the protocol-specific storage property query, for NVMe disks only:
    // Identify Controller and Identify Namespace (4096 bytes each) and the SMART / Health
    // Information log page (512 bytes). 0 on success; -1 otherwise, with `out` zeroed.
    virtual int IdentifyNvmeController(std::uint8_t out[4096]);
    virtual int IdentifyNvmeNamespace(std::uint32_t namespaceId, std::uint8_t out[4096]);
    virtual int ReadNvmeHealthLog(std::uint8_t out[512]);

    // A query on the device's handle that moves data out only (disk number, drive layout); false
    // when the call fails. SCSI commands never travel this way.
    bool QueryControl(std::uint32_t ioControlCode, void* out, std::uint32_t outSize, std::uint32_t* returned);

private:
    bool Control(std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize);
    int SendCommand(IoBuffer* io, const std::uint8_t* cdb, std::uint8_t cdbLength,
                    std::uint8_t dataIn, std::uint32_t timeOutSeconds);
    std::uint8_t LunBits() const;
    bool QueryProperty(std::uint32_t propertyId, void* out, std::uint32_t outSize);
    int SmartRead(std::uint8_t feature, std::uint8_t* out);
    int NvmeQuery(std::uint32_t propertyId, std::uint32_t dataType, std::uint32_t value, std::uint32_t subValue,
                  std::uint8_t* out, std::uint32_t length);
    int StandardInquiry(std::uint8_t (&data)[256]);
    // Model, firmware and serial number whole, as a SATA disk's IDENTIFY block or an NVMe
    // disk's Identify Controller data hold them; false for other devices or when refused.
    struct WholeIdentity {
        char model[41];
        char firmware[9];
        char serial[21];
    };
    bool ReadWholeIdentity(WholeIdentity* identity);
    // Vendor and product text of standard INQUIRY data into textBuffer; returns its length.
    std::size_t FormatModelName(const std::uint8_t* data);

    DevicePort* port;
    PortHandle handle = kInvalidPortHandle;
    // The longest text: a 40-character ATA model, " (", an 8-character firmware, ")".
    char textBuffer[52] = {};
    const std::uint8_t pathId;
    const std::uint8_t targetId;
    const std::uint8_t lun;
    std::int32_t maxReadBufferBytes = -1;  // -1: not probed yet
    std::int32_t maxReadSectors = -1;      // -1: not probed yet
    bool writeProtected = true;
    std::string serialNumber;
};

}  // namespace sektra
