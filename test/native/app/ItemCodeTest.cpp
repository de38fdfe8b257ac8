#include "app/ItemCode.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

TEST(ItemCode, PacksAndUnpacksFields) {
    const ItemCode d = DeviceCode(kGroupCdRom, 2, 7);
    EXPECT_EQ(d, 0x22070000u);
    const ItemCode code = d | 0x1500 | 0x23;
    EXPECT_EQ(ItemGroupOf(code), 2u);
    EXPECT_EQ(ItemBusType(code), 2u);
    EXPECT_EQ(ItemDeviceIndex(code), 7u);
    EXPECT_EQ(ItemCategoryOf(code), 1u);
    EXPECT_EQ(ItemNode(code), 5u);
    EXPECT_EQ(ItemChoice(code), 0x23u);
    EXPECT_EQ(ItemTest(code), 0x1500u);
    EXPECT_EQ(BusFolderCode(kGroupDisk, 3), 0x13FF0000u);
    EXPECT_EQ(GroupCode(kGroupChanger), 0x30000000u);
}

TEST(ItemCode, BusTypesBeyondTheFieldTravelAs15AndTheirFoldersStayApart) {
    EXPECT_EQ(DeviceCode(kGroupDisk, 11, 0), 0x1B000000u);  // SATA fits
    EXPECT_EQ(DeviceCode(kGroupDisk, 17, 0), 0x1F000000u);  // NVMe does not
    // Folders of 16 and up carry the real bus type in the low byte; below 16 nothing changes.
    struct Case { std::uint32_t bus; ItemCode folder; } const cases[] = {
        {1, 0x11FF0000}, {14, 0x1EFF0000}, {15, 0x1FFF0000}, {16, 0x1FFF0010},
        {17, 0x1FFF0011}, {19, 0x1FFF0013}, {254, 0x1FFF00FE}, {255, 0x1FFF00FF}, {0x10000, 0x1FFF00FF},
    };
    for (const Case& c : cases) EXPECT_EQ(BusFolderCode(kGroupDisk, c.bus), c.folder) << c.bus;
}

TEST(ItemCode, ClassifiesRows) {
    struct Case {
        ItemCode code;
        bool sizeRow, writing, details;
    } const cases[] = {
        {0x11001511, true, false, true},    // sequential read, 1 KB
        {0x1100181E, true, true, true},     // random write, 2^14 blocks
        {0x1100151F, true, false, true},    // the other-size entry selects its node too
        {0x11001521, false, false, true},   // a variant row opens the window
        {0x11001311, false, false, true},   // cache hit sizes open the window
        {0x11001911, false, false, true},   // read buffer
        {0x11001A11, false, true, true},
        {0x11001400, false, false, true},
        {0x10001511, true, false, false},   // bus type 0: no details
        {0x11FF0000, false, false, false},  // a bus folder
        {0x31000000, false, false, false},  // a medium changer
        {0x2F000000, false, false, true},   // bus types up to 15 have details
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsTransferSizeRow(c.code), c.sizeRow) << std::hex << c.code;
        EXPECT_EQ(IsWritingTest(c.code), c.writing) << std::hex << c.code;
        EXPECT_EQ(HasDetails(c.code), c.details) << std::hex << c.code;
    }
}

}  // namespace
}  // namespace sektra
