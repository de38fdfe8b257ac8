#pragma once
// The 32-bit code carried by every tree item and detail row. It names a node of the device
// tree and, for the tests, the exact choice handed to a test window:
//   bits 28-31 group (1 disks, 2 CD-ROMs, 3 medium changers, 0 the root)
//   bits 24-27 bus type, bits 16-23 device index (0xFF: a bus-type folder)
//   bits 12-15 category, bits 8-11 node or test, bits 0-7 choice (page or test size/variant)
#include <cstdint>

namespace sektra {

using ItemCode = std::uint32_t;

enum ItemGroup : std::uint32_t { kGroupRoot = 0, kGroupDisk = 1, kGroupCdRom = 2, kGroupChanger = 3 };

enum ItemCategory : std::uint32_t {
    kCategoryDevice = 0,  // the device node: summary
    kCategoryTests = 1,
    kCategoryInquiry = 2,
    kCategoryLogSense = 3,
    kCategoryModeSense = 4,
    kCategoryDefects = 5,
    kCategorySmart = 6,  // ATA and SATA disks: node 1 the SMART attributes with their thresholds
    kCategoryNvme = 7,   // NVMe disks: node 1 Identify Controller, 2 Identify Namespace, 3 health log
};

// The nodes of the two health categories (code & 0xFF00).
constexpr std::uint32_t kNodeSmartAttributes = 0x6100;
constexpr std::uint32_t kNodeNvmeController = 0x7100;
constexpr std::uint32_t kNodeNvmeNamespace = 0x7200;
constexpr std::uint32_t kNodeNvmeHealth = 0x7300;

// Tests as code & 0xFF00 (category 1 and the test number).
enum TestCode : std::uint32_t {
    kTestCacheHit = 0x1300,
    kTestSeek = 0x1400,
    kTestSequentialRead = 0x1500,
    kTestSequentialWrite = 0x1600,
    kTestRandomRead = 0x1700,
    kTestRandomWrite = 0x1800,
    kTestReadBuffer = 0x1900,
    kTestWriteBuffer = 0x1A00,
};

// Choices below a test: 0x10 + k a size of 2^k, 0x1F the other-size entry, 0x20..0x50 + k the
// four range variants of size 2^k, 0xFF the variant row of the other-size entry.
constexpr std::uint32_t kChoiceFirstSize = 0x10;
constexpr std::uint32_t kChoiceOtherSize = 0x1F;
constexpr std::uint32_t kChoiceOtherVariant = 0xFF;
// The 4-bit size field ends at 2^14: 0x1F is taken by the other-size entry.
constexpr int kMaxSizeExponent = 14;

constexpr std::uint32_t kNoDeviceIndex = 0xFF;  // marks a bus-type folder
constexpr std::uint32_t kMaxDeviceIndex = 254;  // 0xFF is the folder marker
constexpr std::uint32_t kMaxCodedBusType = 15;  // a 4-bit field

constexpr ItemCode ItemGroupOf(ItemCode code) { return code >> 28; }
constexpr std::uint32_t ItemBusType(ItemCode code) { return (code >> 24) & 0x0F; }
constexpr std::uint32_t ItemDeviceIndex(ItemCode code) { return (code >> 16) & 0xFF; }
constexpr std::uint32_t ItemCategoryOf(ItemCode code) { return (code >> 12) & 0x0F; }
constexpr std::uint32_t ItemNode(ItemCode code) { return (code >> 8) & 0x0F; }
constexpr std::uint32_t ItemChoice(ItemCode code) { return code & 0xFF; }
constexpr std::uint32_t ItemTest(ItemCode code) { return code & 0xFF00; }

// Bus types from 16 up do not fit the 4-bit field and travel as 15.
constexpr std::uint32_t CodedBusType(std::uint32_t busType) {
    return busType < 16 ? busType : kMaxCodedBusType;
}

constexpr ItemCode GroupCode(std::uint32_t group) { return group << 28; }

constexpr ItemCode DeviceCode(std::uint32_t group, std::uint32_t busType, std::uint32_t index) {
    return GroupCode(group) | CodedBusType(busType) << 24 | (index & 0xFF) << 16;
}

// A folder's code has no category, node or choice, so those low bits are free to tell apart
// the folders of bus types from 16 up (Spaces, NVMe, SCM, UFS), which share the 15 of the
// 4-bit field: there the low byte holds the real bus type (255 for anything larger). Folders
// of bus types below 16 keep their plain code.
constexpr ItemCode BusFolderCode(std::uint32_t group, std::uint32_t busType) {
    const std::uint32_t wideBusType = busType < 16 ? 0 : (busType < 0xFF ? busType : 0xFF);
    return DeviceCode(group, busType, kNoDeviceIndex) | wideBusType;
}

// A size row of a transfer test (sequential or random, read or write): double-clicking it
// selects the size's tree node instead of opening a window.
constexpr bool IsTransferSizeRow(ItemCode code) {
    return (code & 0xF0F0) == 0x1010 && (code & 0xF00) >= 0x500 && (code & 0xF00) <= 0x800;
}

// The tests that overwrite blocks of the medium (not the drive buffer).
constexpr bool IsBlockWritingTest(ItemCode code) {
    return ItemTest(code) == kTestSequentialWrite || ItemTest(code) == kTestRandomWrite;
}

constexpr bool IsWritingTest(ItemCode code) {
    return ItemTest(code) == kTestSequentialWrite || ItemTest(code) == kTestRandomWrite ||
           ItemTest(code) == kTestWriteBuffer;
}

// The detail list and the tests serve devices with a known bus type (1 to 15), disks and
// CD-ROMs only, and never a bus-type folder.
constexpr bool HasDetails(ItemCode code) {
    return ItemBusType(code) >= 1 && ItemDeviceIndex(code) != kNoDeviceIndex &&
           (ItemGroupOf(code) == kGroupDisk || ItemGroupOf(code) == kGroupCdRom);
}

}  // namespace sektra
