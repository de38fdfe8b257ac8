#include "app/DeviceTree.h"

#include <cstdint>
#include <cstring>

#include "app/IntegerFormat.h"
#include "device/Device.h"
#include "device/Sense.h"
#include "device/TypeNames.h"
#include "engine/SeekMethod.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::uint32_t kPeripheralCdRom = 5;

TreeNode& Add(TreeNode& parent, std::wstring text, ItemCode code) {
    parent.children.push_back(TreeNode{std::move(text), code, {}});
    return parent.children.back();
}

std::wstring Widen(const char* ascii) {
    std::wstring text;
    for (; ascii != nullptr && *ascii != '\0'; ++ascii) text += static_cast<wchar_t>(static_cast<unsigned char>(*ascii));
    return text;
}

// A zeroed 256-byte reply buffer with its IoBuffer.
struct Probe {
    std::uint8_t data[256];
    IoBuffer io;
    Probe() : data{}, io{data, sizeof data, {}} {}
};

bool HasAtaIdentification(std::uint32_t busType) {
    return busType == 2 || busType == 3 || busType == 11;  // ATAPI, ATA, SATA
}

class TreeBuilder {
public:
    TreeBuilder(const TextSource& texts, ScanProgress* progress) : texts_(texts), progress_(progress) {}

    void AddGroup(TreeNode& root, const std::vector<Device*>& devices, std::uint32_t group, unsigned textId) {
        if (devices.empty()) return;
        TreeNode& groupNode = Add(root, texts_.String(textId), GroupCode(group));
        for (std::size_t i = 0; i < devices.size() && i <= kMaxDeviceIndex; ++i) {
            AddDeviceNode(*devices[i], groupNode, group, static_cast<std::uint32_t>(i));
        }
    }

private:
    void Detail(unsigned textId) {
        if (progress_ != nullptr) progress_->SetDetailText(texts_.String(textId));
    }

    std::wstring Format(unsigned textId, std::int64_t value) { return FormatInteger(texts_.String(textId), value); }

    void AddDeviceNode(Device& device, TreeNode& groupNode, std::uint32_t group, std::uint32_t index) {
        const std::uint32_t bus = device.GetBusType();
        const ItemCode folderCode = BusFolderCode(group, bus);
        TreeNode* folder = nullptr;
        for (TreeNode& child : groupNode.children) {
            if (child.code == folderCode) {
                folder = &child;
                break;
            }
        }
        if (folder == nullptr) folder = &Add(groupNode, Widen(GetBusTypeName(bus)), folderCode);
        const ItemCode d = DeviceCode(group, bus, index);
        const std::wstring name = DeviceText(device.GetModelNameWithRevision());
        TreeNode& node = Add(*folder, name, d);
        if (progress_ != nullptr) progress_->SetMainText(name);
        Detail(IDS_TREE_INQUIRY);
        AddInquiryNodes(device, node, d);
        Detail(IDS_TREE_LOG_SENSE);
        AddLogSenseNodes(device, node, d);
        Detail(IDS_TREE_MODE_SENSE);
        AddModeSenseNodes(device, node, d);
        Detail(IDS_TREE_DEFECT_LISTS);
        AddDefectListNodes(device, node, d);
        Detail(IDS_TREE_TESTS);
        AddTestNodes(device, node, d);
    }

    void AddInquiryNodes(Device& device, TreeNode& parent, ItemCode d) {
        TreeNode& inquiry = Add(parent, texts_.String(IDS_TREE_INQUIRY), d | 0x2000);
        Add(inquiry, texts_.String(IDS_TREE_STANDARD_INQUIRY), d | 0x2100);
        Probe supported;
        if (device.Inquiry(&supported.io, false, true, 0, 255) == -1) return;
        for (unsigned page = 0; page <= 255; ++page) {
            Probe probe;
            const int result = device.Inquiry(&probe.io, false, true, static_cast<std::uint8_t>(page), 255);
            if (IsCleanCommand(result, probe.io.sense)) Add(inquiry, Format(IDS_TREE_VPD_PAGE, page), d | 0x2200 | page);
        }
        std::uint8_t block[512];
        if (HasAtaIdentification(ItemBusType(d)) && device.IdentifyAta(block) == 0) {
            Add(inquiry, texts_.String(IDS_TREE_ATA_IDENTIFY), d | 0x2300);
        }
    }

    void AddLogSenseNodes(Device& device, TreeNode& parent, ItemCode d) {
        Probe supported;
        if (!IsCleanCommand(device.LogSense(&supported.io, false, false, 3, 0, 0, 256), supported.io.sense)) return;
        TreeNode& log = Add(parent, texts_.String(IDS_TREE_LOG_SENSE), d | 0x3000);
        Add(log, Format(IDS_TREE_LOG_PAGE, 0), d | 0x3100);
        for (unsigned page = 1; page <= 63; ++page) {
            Probe probe;
            const int result = device.LogSense(&probe.io, false, false, 1, static_cast<std::uint8_t>(page), 0, 256);
            if (IsCleanCommand(result, probe.io.sense)) Add(log, Format(IDS_TREE_LOG_PAGE, page), d | 0x3100 | page);
        }
    }

    void AddModeSenseNodes(Device& device, TreeNode& parent, ItemCode d) {
        Probe all;
        if (!IsCleanCommand(device.ModeSense10(&all.io, false, false, 0, 0x3F, 256), all.io.sense)) return;
        TreeNode& mode = Add(parent, texts_.String(IDS_TREE_MODE_SENSE), d | 0x4000);
        for (unsigned page = 0; page <= 63; ++page) {
            Probe probe;
            const int result = device.ModeSense10(&probe.io, false, false, 0, static_cast<std::uint8_t>(page), 256);
            if (IsCleanCommand(result, probe.io.sense)) Add(mode, Format(IDS_TREE_MODE_PAGE, page), d | 0x4100 | page);
        }
    }

    void AddDefectListNodes(Device& device, TreeNode& parent, ItemCode d) {
        Probe primary;
        if (!IsCleanCommand(device.ReadDefectData10(&primary.io, true, false, 5, 256), primary.io.sense)) return;
        TreeNode& defects = Add(parent, texts_.String(IDS_TREE_DEFECT_LISTS), d | 0x5000);
        Add(defects, texts_.String(IDS_TREE_PRIMARY_DEFECTS), d | 0x5100);
        Probe grown;
        if (IsCleanCommand(device.ReadDefectData10(&grown.io, false, true, 5, 256), grown.io.sense)) {
            Add(defects, texts_.String(IDS_TREE_GROWN_DEFECTS), d | 0x5200);
        }
    }

    void AddTestNodes(Device& device, TreeNode& parent, ItemCode d) {
        TreeNode& tests = Add(parent, texts_.String(IDS_TREE_TESTS), d | 0x1000);
        const bool cdRom = device.GetPeripheralType() == kPeripheralCdRom;
        const bool buffer = device.GetMaxReadBufferBytes() > 0;
        // Children are kept by position: adding siblings moves the nodes.
        std::vector<std::size_t> transfers;
        auto addTransfer = [&](unsigned textId, ItemCode test) {
            transfers.push_back(tests.children.size());
            Add(tests, texts_.String(textId), d | test);
        };
        addTransfer(IDS_TREE_SEQUENTIAL_READ, kTestSequentialRead);
        if (!cdRom) addTransfer(IDS_TREE_SEQUENTIAL_WRITE, kTestSequentialWrite);
        addTransfer(IDS_TREE_RANDOM_READ, kTestRandomRead);
        if (!cdRom) addTransfer(IDS_TREE_RANDOM_WRITE, kTestRandomWrite);
        if (buffer) {
            Add(tests, texts_.String(IDS_TREE_READ_BUFFER), d | kTestReadBuffer);
            Add(tests, texts_.String(IDS_TREE_WRITE_BUFFER), d | kTestWriteBuffer);
        }
        Add(tests, texts_.String(IDS_TREE_CACHE_HIT), d | kTestCacheHit);
        // Every disk and CD-ROM gets the row, named by what its seek test will measure.
        if (ItemGroupOf(d) != kGroupChanger) {
            const bool accessTime = ChooseSeekMethod(device) == SeekMethod::Access;
            Add(tests, texts_.String(accessTime ? IDS_TREE_ACCESS_TIME : IDS_TREE_SEEK), d | kTestSeek);
        }
        const std::vector<TreeNode> sizes = SizeChildren(device);
        for (std::size_t i : transfers) {
            TreeNode& test = tests.children[i];
            for (const TreeNode& size : sizes) Add(test, size.text, test.code | size.code);
        }
    }

    // The size children of every transfer test (codes hold the choice only): the sizes a single READ(10)
    // managed, up to 2^14 blocks (the largest the item code can name), and the other-size entry.
    std::vector<TreeNode> SizeChildren(Device& device) {
        std::vector<TreeNode> sizes;
        const std::uint32_t maxBytes = device.GetMaxTransferBytes();
        std::uint32_t lastLba = 0, blockLength = 0;
        const int result = device.ReadCapacity(&lastLba, &blockLength);
        if (result != 0 || lastLba == 0 || blockLength == 0 || maxBytes == 0) return sizes;
        const std::int64_t maxBlocks = device.GetMaxReadSectors();
        std::uint64_t n = blockLength < 1024 ? 2 : 1;
        for (unsigned k = n == 2 ? 1 : 0; static_cast<std::int64_t>(n) <= maxBlocks && k <= kMaxSizeExponent;
             n *= 2, ++k) {
            sizes.push_back(TreeNode{Format(IDS_TREE_SIZE_KB, static_cast<std::int64_t>(n * blockLength / 1024)),
                                     kChoiceFirstSize + k, {}});
        }
        sizes.push_back(TreeNode{texts_.String(IDS_OTHER_SIZE), kChoiceOtherSize, {}});
        return sizes;
    }

    const TextSource& texts_;
    ScanProgress* progress_;
};

}  // namespace

TreeNode BuildDeviceTree(const DeviceLists& lists, const TextSource& texts, ScanProgress* progress) {
    TreeNode root{texts.String(IDS_TREE_ROOT), 0, {}};
    TreeBuilder builder(texts, progress);
    builder.AddGroup(root, lists.disks, kGroupDisk, IDS_TREE_DISKS);
    builder.AddGroup(root, lists.cdRoms, kGroupCdRom, IDS_TREE_CDROMS);
    builder.AddGroup(root, lists.changers, kGroupChanger, IDS_TREE_CHANGERS);
    return root;
}

const TreeNode* FindTreeNode(const TreeNode& root, ItemCode code) {
    if (root.code == code) return &root;
    for (const TreeNode& child : root.children) {
        if (const TreeNode* found = FindTreeNode(child, code)) return found;
    }
    return nullptr;
}

}  // namespace sektra
