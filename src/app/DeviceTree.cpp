#include "app/DeviceTree.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/IntegerFormat.h"
#include "app/PageLists.h"
#include "device/CommandOutcome.h"
#include "device/Device.h"
#include "device/Sense.h"
#include "device/StorageStructs.h"
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

constexpr std::uint8_t kIllegalRequest = 0x05;
constexpr std::uint8_t kInvalidOpcode = 0x20;  // INVALID COMMAND OPERATION CODE
constexpr std::uint8_t kCurrentCumulative = 1;  // LOG SENSE page control: the live counters
constexpr std::uint8_t kAllModePages = 0x3F;
constexpr std::size_t kListAllocation = 256;

// A zeroed reply buffer with its IoBuffer.
struct Probe {
    std::vector<std::uint8_t> data;
    IoBuffer io;
    explicit Probe(std::size_t size = kListAllocation)
        : data(size, 0), io{data.data(), static_cast<std::uint32_t>(size), {}} {}
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    // The reply bytes that really arrived.
    std::size_t Received() const { return std::min<std::size_t>(io.transferred, data.size()); }
};

std::vector<std::uint8_t> PageRange(unsigned first, unsigned last) {
    std::vector<std::uint8_t> pages;
    for (unsigned page = first; page <= last; ++page) pages.push_back(static_cast<std::uint8_t>(page));
    return pages;
}

// A device that turned its list down is asked page by page instead (some USB bridges refuse the
// all-pages MODE SENSE but answer single pages) -- unless the control call failed, which is
// often a time-out that Windows follows with a bus reset, or the device said that it lacks the
// command altogether.
bool WalkAfterRefusal(int result, const IoBuffer& io) {
    return result == 0 && !(RefusalSenseKey(io) == kIllegalRequest && RefusalAsc(io) == kInvalidOpcode);
}

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
        AddHealthNodes(device, node, d, bus);
        Detail(IDS_TREE_TESTS);
        AddTestNodes(device, node, d);
    }

    // Sends `ask` for every page and adds a node for each clean answer.
    template <typename Ask>
    void AddAnsweringPages(TreeNode& parent, const std::vector<std::uint8_t>& pages, Ask ask, unsigned textId,
                           ItemCode base) {
        for (std::uint8_t page : pages) {
            Probe probe;
            if (Clean(ask(probe, page), probe.io)) Add(parent, Format(textId, page), base | page);
        }
    }

    void AddInquiryNodes(Device& device, TreeNode& parent, ItemCode d) {
        TreeNode& inquiry = Add(parent, texts_.String(IDS_TREE_INQUIRY), d | 0x2000);
        Add(inquiry, texts_.String(IDS_TREE_STANDARD_INQUIRY), d | 0x2100);
        auto ask = [&device](Probe& probe, std::uint8_t page) { return device.Inquiry(&probe.io, false, true, page, 255); };
        Probe list;
        const int result = ask(list, 0);
        if (result == -1) return;
        if (Clean(result, list.io)) {
            Add(inquiry, Format(IDS_TREE_VPD_PAGE, 0), d | 0x2200);
            std::vector<std::uint8_t> pages = ListedVpdPages(list.data.data(), list.Received());
            pages.erase(std::remove(pages.begin(), pages.end(), 0), pages.end());
            AddAnsweringPages(inquiry, pages, ask, IDS_TREE_VPD_PAGE, d | 0x2200);
        } else if (RefusalSenseKey(list.io) != kIllegalRequest) {
            // Every device has INQUIRY, so ILLEGAL REQUEST for the list says it has no vital
            // product data at all; anything else leaves the pages worth asking.
            AddAnsweringPages(inquiry, PageRange(0, 255), ask, IDS_TREE_VPD_PAGE, d | 0x2200);
        }
        std::uint8_t block[512];
        if (HasAtaIdentification(ItemBusType(d)) && device.IdentifyAta(block) == 0) {
            Add(inquiry, texts_.String(IDS_TREE_ATA_IDENTIFY), d | 0x2300);
        }
    }

    // Log pages are read as the device's current cumulative values.
    void AddLogSenseNodes(Device& device, TreeNode& parent, ItemCode d) {
        auto ask = [&device](Probe& probe, std::uint8_t page) {
            return device.LogSense(&probe.io, false, false, kCurrentCumulative, page, 0, kListAllocation);
        };
        TreeNode log{texts_.String(IDS_TREE_LOG_SENSE), d | 0x3000, {}};
        Probe list;
        const int result = ask(list, 0);
        if (Clean(result, list.io)) {
            Add(log, Format(IDS_TREE_LOG_PAGE, 0), d | 0x3100);
            std::vector<std::uint8_t> pages = ListedLogPages(list.data.data(), list.Received());
            pages.erase(std::remove(pages.begin(), pages.end(), 0), pages.end());
            AddAnsweringPages(log, pages, ask, IDS_TREE_LOG_PAGE, d | 0x3100);
        } else if (WalkAfterRefusal(result, list.io)) {
            AddAnsweringPages(log, PageRange(1, 63), ask, IDS_TREE_LOG_PAGE, d | 0x3100);
            if (log.children.empty()) return;
        } else {
            return;
        }
        parent.children.push_back(std::move(log));
    }

    void AddModeSenseNodes(Device& device, TreeNode& parent, ItemCode d) {
        auto ask = [&device](Probe& probe, std::uint8_t page) {
            return device.ModeSense10(&probe.io, false, false, 0, page, static_cast<std::uint16_t>(probe.data.size()));
        };
        TreeNode mode{texts_.String(IDS_TREE_MODE_SENSE), d | 0x4000, {}};
        Probe list;
        const int result = ask(list, kAllModePages);
        if (Clean(result, list.io)) {
            AddAnsweringPages(mode, ModePageList(list, ask), ask, IDS_TREE_MODE_PAGE, d | 0x4100);
        } else if (WalkAfterRefusal(result, list.io)) {
            AddAnsweringPages(mode, PageRange(0, kAllModePages - 1), ask, IDS_TREE_MODE_PAGE, d | 0x4100);
            if (mode.children.empty()) return;
        } else {
            return;
        }
        parent.children.push_back(std::move(mode));
    }

    // The pages of an all-pages reply; one longer than the first allocation is asked again whole.
    template <typename Ask>
    static std::vector<std::uint8_t> ModePageList(const Probe& first, Ask ask) {
        const std::size_t received = first.Received();
        const std::size_t whole = received < 2 ? 0 : 2 + (std::size_t{first.data[0]} << 8 | first.data[1]);
        if (whole > first.data.size()) {
            Probe full(std::min<std::size_t>(whole, 0xFFFF));
            if (Clean(ask(full, kAllModePages), full.io)) return ListedModePages(full.data.data(), full.Received());
        }
        return ListedModePages(first.data.data(), received);
    }

    void AddDefectListNodes(Device& device, TreeNode& parent, ItemCode d) {
        Probe primary;
        if (!Clean(device.ReadDefectData10(&primary.io, true, false, 5, 256), primary.io)) return;
        TreeNode& defects = Add(parent, texts_.String(IDS_TREE_DEFECT_LISTS), d | 0x5000);
        Add(defects, texts_.String(IDS_TREE_PRIMARY_DEFECTS), d | 0x5100);
        Probe grown;
        if (Clean(device.ReadDefectData10(&grown.io, false, true, 5, 256), grown.io)) {
            Add(defects, texts_.String(IDS_TREE_GROWN_DEFECTS), d | 0x5200);
        }
    }

    // SMART attributes of ATA and SATA disks that answer them; the identify data and health
    // log of NVMe disks (whose bus type the item code cannot hold, so it comes from the device).
    void AddHealthNodes(Device& device, TreeNode& parent, ItemCode d, std::uint32_t bus) {
        if (bus == kBusTypeAta || bus == kBusTypeSata) {
            std::uint8_t attributes[512];
            if (device.ReadSmartAttributes(attributes) != 0) return;
            Detail(IDS_TREE_SMART);
            TreeNode& smart = Add(parent, texts_.String(IDS_TREE_SMART), d | 0x6000);
            Add(smart, texts_.String(IDS_TREE_SMART_ATTRIBUTES), d | kNodeSmartAttributes);
        } else if (bus == kBusTypeNvme) {
            Detail(IDS_TREE_NVME);
            TreeNode nvme{texts_.String(IDS_TREE_NVME), d | 0x7000, {}};
            std::vector<std::uint8_t> data(4096);
            if (device.IdentifyNvmeController(data.data()) == 0) {
                Add(nvme, texts_.String(IDS_TREE_NVME_CONTROLLER), d | kNodeNvmeController);
            }
            if (device.IdentifyNvmeNamespace(1, data.data()) == 0) {
                Add(nvme, texts_.String(IDS_TREE_NVME_NAMESPACE), d | kNodeNvmeNamespace);
            }
            if (device.ReadNvmeHealthLog(data.data()) == 0) Add(nvme, texts_.String(IDS_TREE_NVME_HEALTH), d | kNodeNvmeHealth);
            if (!nvme.children.empty()) parent.children.push_back(std::move(nvme));
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
        std::uint64_t lastLba = 0;
        std::uint32_t blockLength = 0;
        const int result = device.GetCapacity(&lastLba, &blockLength);
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
