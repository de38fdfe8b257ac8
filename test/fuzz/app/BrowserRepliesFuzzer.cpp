// Lets the fuzzer choose an emulated device, make its length fields lie and rewrite its
// replies byte by byte (the page lists the tree follows, both capacity replies, the SMART
// tables and the NVMe descriptors among them),
// then builds the device tree from its answers and the detail rows of
// every node, as the main window does when the user walks the tree. AddressSanitizer reports
// any read or write outside a buffer; the formats of the language module are fuzzed too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/DeviceDetails.h"
#include "app/DeviceTree.h"
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

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Formats as a damaged language module might hold them.
class FuzzedTexts : public TextSource {
public:
    explicit FuzzedTexts(std::wstring format) : format_(std::move(format)) {}
    std::wstring String(unsigned id) const override { return id % 2 ? format_ : L"Page %02Xh"; }

private:
    std::wstring format_;
};

std::vector<std::uint8_t> PagesFrom(std::uint16_t bits, std::initializer_list<std::uint8_t> pages) {
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
    const std::uint32_t blockLengths[] = {0, 1, 16, 512, 2048, 4096};
    c.blockLength = blockLengths[in.Byte() % 6];
    const std::uint64_t blockCounts[] = {4096, 0x200000000ull, 23437500000ull, 0xFFFFFFFFull};
    c.blockCount = blockCounts[in.Byte() % 4];
    c.physicalBlockLength = in.Byte() & 1 ? 4096 : 0;
    c.maximumTransferLength = (in.Byte() % 5) * 65536;
    c.maximumPhysicalPages = 257;
    c.bufferBytes = (in.Byte() % 3) * 65536;
    c.vpdPages = PagesFrom(in.Byte(), {0x80, 0x83, 0xB0, 0xB1, 0xB2});
    c.logPages = PagesFrom(in.U16(), {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F});
    c.rotationRate = in.U16();
    c.thinProvisioned = in.Byte() & 1;
    c.modePages = PagesFrom(in.Byte(), {0x01, 0x08, 0x0A, 0x1C, 0x2A});
    c.modeBlockDescriptor = in.Byte() & 1;
    c.supportsDefectData = in.Byte() & 1;
    c.primaryDefects = in.Byte();
    c.grownDefects = in.Byte() % 4;
    c.supportsSeek = in.Byte() & 1;
    if (in.Byte() & 1) c.ataModel = "SEKTRA FUZZ SATA MODEL OF FORTY CHARACTERS";
    // SMART tables (ATA, SATA) and NVMe data (bus 17) reach the tree and the decoded rows too.
    c.smartAttributes = in.Byte() & 1;
    c.ataRotationRate = in.U16();
    c.ataTrim = in.Byte() & 1;
    c.sataGeneration = in.Byte() % 5;
    c.nvmeModel = "SEKTRA FUZZ NVME";
    return c;
}

// Up to four bytes of a reply overwritten anywhere up to 16 bytes past its end, and maybe cut.
void Mutate(Input& in, std::vector<std::uint8_t>& reply) {
    const int patches = in.Byte() % 5;
    for (int i = 0; i < patches; ++i) {
        const std::size_t offset = in.U16() % (reply.size() + 16);
        if (offset >= reply.size()) reply.resize(offset + 1);
        reply[offset] = in.Byte();
    }
    const std::uint8_t cut = in.Byte();
    if (cut < 16 && cut < reply.size()) reply.resize(cut);
}

void Walk(Device& device, const TreeNode& node, const TextSource& texts) {
    if (HasDetails(node.code)) DescribeNode(device, node.code, texts);
    for (const TreeNode& child : node.children) Walk(device, child, texts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    std::wstring format;
    for (int n = in.Byte() % 12; n > 0; --n) format += static_cast<wchar_t>(in.Byte());
    EmulatedPort port;
    EmulatedDevice& emulated = port.AddDevice(0, ChooseDevice(in));
    ReplyFaults faults;
    faults.standardInquiry = static_cast<LengthFault>(in.Byte() % 5);
    faults.vpdPage = static_cast<LengthFault>(in.Byte() % 5);
    faults.logPage = static_cast<LengthFault>(in.Byte() % 5);
    faults.modeData = static_cast<LengthFault>(in.Byte() % 5);
    faults.modeBlockDescriptors = static_cast<LengthFault>(in.Byte() % 5);
    faults.defectList = static_cast<LengthFault>(in.Byte() % 5);
    emulated.SetReplyFaults(faults);
    emulated.SetReplyMutator([&in](const ReplyContext&, std::vector<std::uint8_t>& reply) { Mutate(in, reply); });

    Device device(&port);
    if (device.Open(0, 0) != 0) return 0;
    DeviceLists lists;
    lists.disks.push_back(&device);
    const FuzzedTexts texts(format);
    const TreeNode root = BuildDeviceTree(lists, texts, nullptr);
    Walk(device, root, texts);
    return 0;
}
