// Writes, for every INQUIRY, VPD, log and mode page node of the demo set and of the test disk,
// the reply bytes the detail view dumps (NAME.hex, ASCII hex as the independent decoders read
// it) and the decoded rows it shows before the dump (NAME.fields, "labelId<TAB>value" in
// UTF-8). check_decoded_rows.py feeds the .hex files to those decoders and compares.
// With iscsi:// URLs (native trees with libiscsi), the disks of those units take the place of
// the emulated ones: a SCSI implementation we did not write answers the same questions.
// usage: reply_dump OUTPUT_FOLDER [URL...]
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/DeviceDetails.h"
#include "app/DeviceTree.h"
#include "decode/ModePages.h"
#include "device/CommandOutcome.h"
#include "device/DeviceEnumeration.h"
#include "emulator/DemoSet.h"
#include "framework/Utf8.h"
#ifdef SEKTRA_WITH_ISCSI
#include "device/iscsi/IscsiDevicePort.h"
#endif

namespace {

using namespace sektra;

// Labels as their numbers, so the rows name the field they decode.
class IdTexts : public TextSource {
public:
    std::wstring String(unsigned id) const override { return L"#" + std::to_wstring(id); }
};

using Bytes = std::vector<std::uint8_t>;

void WriteHex(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path);
    char cell[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%02x", bytes[i]);
        out << cell << ((i % 16 == 15 || i + 1 == bytes.size()) ? "\n" : " ");
    }
}

void WriteFields(const std::string& path, const DetailRows& rows) {
    std::ofstream out(path);
    for (const DetailRow& row : rows) out << Utf8FromWide(row.label.substr(1)) << '\t' << Utf8FromWide(row.value) << '\n';
}

void WriteFields(const std::string& path, const DecodedFields& fields) {
    DetailRows rows;
    for (const DecodedField& f : fields) rows.push_back(DetailRow{L"#" + std::to_wstring(f.labelId), f.value, L"", 0, {}});
    WriteFields(path, rows);
}

// The bytes of the hex dump rows ("00 80 00 0C  53 4B 54 30" each) from `from` on.
Bytes DumpedBytes(const DetailRows& rows, std::size_t from) {
    Bytes bytes;
    for (std::size_t i = from; i < rows.size(); ++i) {
        std::wistringstream cells(rows[i].value);
        std::wstring cell;
        while (cells >> cell) bytes.push_back(static_cast<std::uint8_t>(std::stoul(cell, nullptr, 16)));
    }
    return bytes;
}

Bytes ModeReply(Device& device, bool llbaa, std::uint8_t page) {
    Bytes data(256, 0);
    IoBuffer io{data.data(), 256, {}};
    if (!Clean(device.ModeSense10(&io, llbaa, false, 0, page, 256), io)) return {};
    data.resize(io.transferred);
    return data;
}

// Field labels are 800 to 999 ("#901"); the dump's rows carry tree texts or none.
bool IsFieldLabel(const std::wstring& label) {
    return label.size() == 4 && label[0] == L'#' && (label[1] == L'8' || label[1] == L'9');
}

void DumpNode(Device& device, const TreeNode& node, const std::string& prefix) {
    const std::uint32_t category = ItemCategoryOf(node.code);
    const std::uint32_t choice = ItemChoice(node.code);
    const char* kind = nullptr;
    if (category == kCategoryInquiry && ItemNode(node.code) == 1) kind = "inq";
    if (category == kCategoryInquiry && ItemNode(node.code) == 2) kind = "vpd";
    if (category == kCategoryLogSense && ItemNode(node.code) == 1) kind = "log";
    if (category == kCategoryModeSense && ItemNode(node.code) == 1) kind = "mode";
    if (kind == nullptr) return;
    char name[64];
    std::snprintf(name, sizeof name, "%s_%s%02x", prefix.c_str(), kind, choice);
    const DetailRows rows = DescribeNode(device, node.code, IdTexts());
    std::size_t decoded = 0;
    while (decoded < rows.size() && IsFieldLabel(rows[decoded].label)) ++decoded;
    WriteFields(std::string(name) + ".fields", DetailRows(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(decoded)));
    // The mode dump leaves out the header and block descriptors that the decoder reads too.
    WriteHex(std::string(name) + ".hex",
             category == kCategoryModeSense ? ModeReply(device, false, static_cast<std::uint8_t>(choice)) : DumpedBytes(rows, decoded));
}

struct Opened {
    std::vector<std::unique_ptr<Device>> disks;
    std::vector<std::unique_ptr<Device>> cdRoms;
    std::string label;
};

void Walk(const Opened& opened, const TreeNode& node) {
    if (HasDetails(node.code)) {
        const bool disk = ItemGroupOf(node.code) == kGroupDisk;
        const auto& list = disk ? opened.disks : opened.cdRoms;
        const std::uint32_t index = ItemDeviceIndex(node.code);
        if (index < list.size()) DumpNode(*list[index], node, opened.label + (disk ? "disk" : "cd") + std::to_string(index));
    }
    for (const TreeNode& child : node.children) Walk(opened, child);
}

// The long LBA block descriptor, which only a disk beyond 2^32 blocks sends when asked.
void DumpLongDescriptor(Device& device, const std::string& prefix) {
    const Bytes reply = ModeReply(device, true, 0x08);
    if (reply.size() < 8 || !(reply[4] & 0x01)) return;
    WriteHex(prefix + "_mode08long.hex", reply);
    WriteFields(prefix + "_mode08long.fields", DecodeModeSense10(reply.data(), reply.size()));
}

void DumpPort(DevicePort& port, const std::string& label) {
    Opened opened{EnumerateDevices(kDiskInterfaceClass, &port), EnumerateDevices(kCdRomInterfaceClass, &port), label};
    DeviceLists lists;
    for (auto& d : opened.disks) lists.disks.push_back(d.get());
    for (auto& d : opened.cdRoms) lists.cdRoms.push_back(d.get());
    Walk(opened, BuildDeviceTree(lists, IdTexts(), nullptr));
    for (std::size_t i = 0; i < opened.disks.size(); ++i) DumpLongDescriptor(*opened.disks[i], label + "disk" + std::to_string(i));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: reply_dump OUTPUT_FOLDER [URL...]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    if (argc > 2) {
#ifdef SEKTRA_WITH_ISCSI
        IscsiDevicePort port(std::vector<std::string>(argv + 2, argv + argc));
        DumpPort(port, folder + "target_");
        return 0;
#else
        std::fprintf(stderr, "reply_dump: built without the iSCSI port\n");
        return 77;
#endif
    }
    DumpPort(*MakeDemoPort(TimeMode::Zero), folder + "demo_");
    EmulatedPort test;
    test.AddDevice(kDiskInterfaceClass, ZeroTimeDisk());
    DumpPort(test, folder + "test_");
    return 0;
}
