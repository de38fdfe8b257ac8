// Lets the fuzzer choose an emulated device and rewrite its replies byte by byte, then runs
// the Device operations that read those replies: identification (the SATA texts from IDENTIFY
// among them), capacity from both READ CAPACITY replies, the transfer
// limits and probes, the ATA IDENTIFY block and the serial number. AddressSanitizer reports
// any read or write outside a buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "device/Device.h"
#include "emulator/DemoSet.h"
#include "emulator/EmulatedPort.h"

namespace {

using namespace sektra;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(U16() | static_cast<std::uint32_t>(U16()) << 16); }
    bool Empty() const { return at_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

LengthFault AnyLengthFault(Input& in) { return static_cast<LengthFault>(in.Byte() % 5); }

std::vector<std::uint8_t> PagesFrom(std::uint8_t bits, std::initializer_list<std::uint8_t> pages) {
    std::vector<std::uint8_t> chosen;
    int bit = 0;
    for (std::uint8_t p : pages) {
        if (bits & (1 << bit++)) chosen.push_back(p);
    }
    return chosen;
}

DeviceConfig ChooseDevice(Input& in) {
    DeviceConfig c = TestDisk(2048);
    c.busType = in.Byte() % 21;
    c.peripheralType = in.Byte() & 0x1F;
    // Around the 2^32 boundary of READ CAPACITY(10), a 12 TB disk, and the largest count there is.
    const std::uint64_t blockCounts[] = {0, 1, 2048, 0xFFFFFFFFull, 0x100000000ull, 0x200000000ull,
                                         23437500000ull, ~0ull};
    const std::uint8_t countChoice = in.Byte() % 9;
    c.blockCount = countChoice < 8 ? blockCounts[countChoice] : in.U32();
    const std::uint32_t blockLengths[] = {0, 1, 512, 2048, 4096};
    const std::uint8_t lengthChoice = in.Byte() % 6;
    c.blockLength = lengthChoice < 5 ? blockLengths[lengthChoice] : in.U16();
    c.physicalBlockLength = in.Byte() & 1 ? 4096 : in.U16();
    c.mediumPresent = in.Byte() & 1;
    c.maximumTransferLength = in.U32() % (262144 + 1);
    c.maximumPhysicalPages = in.U16() % 300;
    const std::uint32_t buffers[] = {0, 4096, 65536, 262144};
    c.bufferBytes = buffers[in.Byte() % 4];
    c.vpdPages = PagesFrom(in.Byte(), {0x80, 0x83});
    c.logPages = PagesFrom(in.Byte(), {0x02, 0x03, 0x0D, 0x0E, 0x10});
    c.modePages = PagesFrom(in.Byte(), {0x01, 0x08, 0x0A, 0x1C, 0x2A});
    c.supportsSeek = in.Byte() & 1;
    if (in.Byte() & 1) c.serialNumber.clear();
    // A SATA disk's own IDENTIFY texts, of any length and any bytes.
    for (int n = in.Byte() % 48; n > 0; --n) c.ataModel += static_cast<char>(in.Byte());
    for (int n = in.Byte() % 10; n > 0; --n) c.ataFirmware += static_cast<char>(in.Byte());
    return c;
}

// Each reply gets up to eight bytes overwritten anywhere up to 16 bytes past its end (growing
// it), and may be cut short.
void Mutate(Input& in, std::vector<std::uint8_t>& reply) {
    const int patches = in.Byte() % 9;
    for (int i = 0; i < patches; ++i) {
        const std::size_t offset = in.U16() % (reply.size() + 16);
        if (offset >= reply.size()) reply.resize(offset + 1);
        reply[offset] = in.Byte();
    }
    const std::uint8_t cut = in.Byte();
    if (cut < 16 && cut < reply.size()) reply.resize(cut);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    EmulatedPort port;
    EmulatedDevice& emulated = port.AddDevice(0, ChooseDevice(in));
    ReplyFaults faults;
    faults.standardInquiry = AnyLengthFault(in);
    faults.vpdPage = AnyLengthFault(in);
    faults.logPage = AnyLengthFault(in);
    faults.modeData = AnyLengthFault(in);
    faults.modeBlockDescriptors = AnyLengthFault(in);
    faults.defectList = AnyLengthFault(in);
    emulated.SetReplyFaults(faults);
    emulated.SetReplyMutator([&in](const ReplyContext&, std::vector<std::uint8_t>& reply) { Mutate(in, reply); });

    Device device(&port);
    if (device.Open(0, 0) != 0) return 0;
    device.GetBusType();
    device.GetPeripheralType();
    device.GetModelName();
    device.GetModelNameWithRevision();
    device.GetRevision();
    device.GetSerialNumber();
    std::uint8_t identify[512];
    device.IdentifyAta(identify);
    device.GetMaxTransferBytes();
    std::uint32_t lastLba32 = 0, blockLength = 0;
    device.ReadCapacity(&lastLba32, &blockLength);
    std::uint64_t lastLba = 0;
    device.GetCapacity(&lastLba, &blockLength);
    device.GetMaxReadBufferBytes();
    device.GetMaxReadSectors();

    // The typed commands with the allocation lengths the device browser uses, into buffers of
    // exactly that size.
    std::uint8_t page[256];
    IoBuffer io{};
    io.data = page;
    io.length = sizeof(page);
    device.Inquiry(&io, false, true, 0x80, 255);
    device.LogSense(&io, false, false, 3, 0, 0, 256);
    device.ModeSense10(&io, false, false, 0, 0x3F, 256);
    device.ReadDefectData10(&io, true, true, 5, 256);
    io.length = 4;
    device.ReadDefectData10(&io, true, false, 5, 4);
    device.RequestSense(&io, 4);
    // READ CAPACITY(16) asking for any part of its 32 bytes, into a buffer of exactly that size.
    io.length = in.Byte() % 40;
    device.ReadCapacity16(&io, io.length);
    return 0;
}
