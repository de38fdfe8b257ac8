// The iSCSI port against a real target: which units it opens in which class, how status,
// sense and underruns come back in the pass-through request, what the property queries say,
// and that a target which stops answering or drops the connection never hangs a caller.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "device/Device.h"
#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"
#include "device/iscsi/IscsiDevicePort.h"
#include "native/iscsi/TargetUnits.h"

namespace sektra {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// READ(10) or WRITE(10) of `blocks` blocks at `lba` through the raw pass-through.
bool Transfer(DevicePort& port, PortHandle handle, ScsiRequest* request, bool read, std::uint32_t lba,
              std::uint16_t blocks, void* data, std::uint32_t length, std::uint32_t timeOut = 2) {
    InitScsiRequest(request, 10, read ? kScsiIoctlDataIn : kScsiIoctlDataOut, data, length, timeOut);
    std::uint8_t* cdb = request->sptd.Cdb;
    cdb[0] = read ? 0x28 : 0x2A;
    cdb[2] = static_cast<std::uint8_t>(lba >> 24);
    cdb[3] = static_cast<std::uint8_t>(lba >> 16);
    cdb[4] = static_cast<std::uint8_t>(lba >> 8);
    cdb[5] = static_cast<std::uint8_t>(lba);
    cdb[7] = static_cast<std::uint8_t>(blocks >> 8);
    cdb[8] = static_cast<std::uint8_t>(blocks);
    std::uint32_t returned = 0;
    return port.Control(handle, kIoctlScsiPassThroughDirect, request, sizeof(*request), request, sizeof(*request),
                        &returned);
}

TEST(PortOnTarget, MembersOfEachClassFollowTheUrlOrderAndSkipUnusableUrls) {
    SEKTRA_REQUIRE_UNIT(disk512, "DISK512");
    SEKTRA_REQUIRE_UNIT(changer, "CHANGER");
    SEKTRA_REQUIRE_UNIT(readOnly, "READONLY");
    IscsiUrl parsed;
    ASSERT_TRUE(ParseIscsiUrl(disk512, &parsed, nullptr));
    const std::string portal = parsed.host + ":" + std::to_string(parsed.port);
    IscsiDevicePort port({
        "iscsi://" + portal + "/" + parsed.targetIqn + "/9",   // no such LUN
        changer,
        "not a URL",
        disk512,
        "iscsi://" + portal + "/iqn.2026-12.invalid.sektra.test:none/1",  // no such target
        readOnly,
    });
    struct Case {
        int interfaceClass;
        std::uint32_t member;
        std::uint32_t peripheralType;  // 99: no such member
    } const cases[] = {{0, 0, 0}, {0, 1, 0}, {0, 2, 99}, {6, 0, 8}, {6, 1, 99}, {1, 0, 99}, {2, 0, 99}};
    for (const Case& c : cases) {
        Device device(&port);
        const int opened = device.Open(c.interfaceClass, c.member);
        EXPECT_EQ(opened == 0, c.peripheralType != 99) << c.interfaceClass << "/" << c.member;
        if (opened == 0) {
            EXPECT_EQ(device.GetPeripheralType(), c.peripheralType);
        }
    }
    // Member 1 of the disks is the read-only unit, the second disk in URL order.
    Device second(&port);
    ASSERT_EQ(second.Open(0, 1), 0);
    EXPECT_TRUE(second.IsWriteProtected());
    EXPECT_EQ(std::string(second.GetModelName()), "IET VIRTUAL-DISK");
    EXPECT_NE(port.LastError(), "");
    std::uint32_t returned = 0;
    ScsiRequest request;
    EXPECT_FALSE(port.Control(0x4321, kIoctlScsiPassThroughDirect, &request, sizeof(request), &request,
                              sizeof(request), &returned));  // never opened
}

TEST(PortOnTarget, OpeningAMissingLunOrTargetSaysWhy) {
    SEKTRA_REQUIRE_UNIT(disk512, "DISK512");
    IscsiUrl parsed;
    ASSERT_TRUE(ParseIscsiUrl(disk512, &parsed, nullptr));
    const std::string portal = "iscsi://" + parsed.host + ":" + std::to_string(parsed.port) + "/";
    const struct {
        std::string url;
        std::string says;
    } cases[] = {
        {portal + parsed.targetIqn + "/9", "has no LUN 9"},
        {portal + "iqn.2026-12.invalid.sektra.test:none/1", "refused the login"},
    };
    for (const auto& c : cases) {
        IscsiDevicePort port({c.url});
        const auto start = Clock::now();
        EXPECT_EQ(port.Open(0, 0), kInvalidPortHandle);
        EXPECT_LT(SecondsSince(start), 2.0);
        EXPECT_NE(port.LastError().find(c.says), std::string::npos) << port.LastError();
    }
}

class OpenedUnit : public testing::Test {
protected:
    void Open(const std::string& url, int interfaceClass = 0) {
        port = std::make_unique<IscsiDevicePort>(std::vector<std::string>{url});
        handle = port->Open(interfaceClass, 0);
        ASSERT_NE(handle, kInvalidPortHandle) << port->LastError();
    }
    void TearDown() override {
        if (port && handle != kInvalidPortHandle) port->Close(handle);
    }

    std::unique_ptr<IscsiDevicePort> port;
    PortHandle handle = kInvalidPortHandle;
};

TEST_F(OpenedUnit, CheckConditionComesBackWithStatusAndAsMuchSenseAsAsked) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    Open(url);
    std::uint8_t block[512];
    ScsiRequest request;
    // Block 16384 is one past the last of 8 MiB in 512-byte blocks.
    ASSERT_TRUE(Transfer(*port, handle, &request, true, 16384, 1, block, sizeof(block)));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x02);
    EXPECT_EQ(request.sense[2] & 0x0F, 0x05);  // ILLEGAL REQUEST
    EXPECT_EQ(request.sense[12], 0x21);        // LOGICAL BLOCK ADDRESS OUT OF RANGE

    // Only SenseInfoLength bytes are written; the rest of the area stays as the caller left it.
    Transfer(*port, handle, &request, true, 16384, 1, block, sizeof(block));
    std::memset(request.sense, 0xEE, sizeof(request.sense));
    request.sptd.SenseInfoLength = 8;
    std::uint32_t returned = 0;
    ASSERT_TRUE(port->Control(handle, kIoctlScsiPassThroughDirect, &request, sizeof(request), &request,
                              sizeof(request), &returned));
    EXPECT_EQ(request.sense[2] & 0x0F, 0x05);
    EXPECT_EQ(request.sense[8], 0xEE);
    EXPECT_EQ(returned, kSenseInfoOffset + 8);

    // A good command leaves status 0 and moves the bytes asked for.
    ASSERT_TRUE(Transfer(*port, handle, &request, true, 16383, 1, block, sizeof(block)));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x00);
    EXPECT_EQ(request.sptd.DataTransferLength, 512u);
}

TEST_F(OpenedUnit, AnUnderrunLeavesTheBytesReallyMovedInTheRequest) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    Open(url);
    std::uint8_t data[255] = {};
    ScsiRequest request;
    InitScsiRequest(&request, 6, kScsiIoctlDataIn, data, sizeof(data), 2);
    request.sptd.Cdb[0] = 0x12;  // standard INQUIRY, allocation length 255
    request.sptd.Cdb[4] = 255;
    std::uint32_t returned = 0;
    ASSERT_TRUE(port->Control(handle, kIoctlScsiPassThroughDirect, &request, sizeof(request), &request,
                              sizeof(request), &returned));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x00);
    // The unit sends its whole standard data: 5 bytes plus the additional length in byte 4.
    EXPECT_EQ(request.sptd.DataTransferLength, data[4] + 5u);
    EXPECT_LT(request.sptd.DataTransferLength, 255u);
}

TEST_F(OpenedUnit, AWriteToAReadOnlyUnitIsDataProtectAndChangesNothing) {
    SEKTRA_REQUIRE_UNIT(url, "READONLY");
    const std::string file = test::UnitFile("READONLY");
    const std::string before = test::ReadWholeFile(file);
    Open(url);
    std::vector<std::uint8_t> zeros(4096, 0);
    ScsiRequest request;
    ASSERT_TRUE(Transfer(*port, handle, &request, false, 0, 8, zeros.data(), 4096));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x02);
    EXPECT_EQ(request.sense[2] & 0x0F, 0x07);  // DATA PROTECT
    EXPECT_EQ(request.sense[12], 0x27);        // WRITE PROTECTED
    EXPECT_EQ(test::ReadWholeFile(file), before);
}

TEST_F(OpenedUnit, DataReadIsTheBackingFileAndDataWrittenLandsThere) {
    SEKTRA_REQUIRE_UNIT(url, "DISK4K");
    const std::string file = test::UnitFile("DISK4K");
    Open(url);
    std::vector<std::uint8_t> data(8192);
    ScsiRequest request;
    ASSERT_TRUE(Transfer(*port, handle, &request, true, 5, 2, data.data(), 8192));  // bytes 20480-28671
    EXPECT_EQ(std::string(data.begin(), data.end()), test::ReadWholeFile(file).substr(5 * 4096, 8192));

    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ASSERT_TRUE(Transfer(*port, handle, &request, false, 300, 2, data.data(), 8192));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x00);
    EXPECT_EQ(test::ReadWholeFile(file).substr(300 * 4096, 8192), std::string(data.begin(), data.end()));
}

TEST(PortOnTarget, PropertiesNameAnIscsiUnitAndNoAtaIdentification) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    IscsiDevicePort port({url});
    Device device(&port);
    ASSERT_EQ(device.Open(0, 0), 0) << port.LastError();
    EXPECT_EQ(device.GetBusType(), kBusTypeiScsi);
    // The serial number is VPD page 80h's text, as the unit sends it.
    std::uint8_t page[255] = {};
    IoBuffer io = {page, sizeof(page), {}};
    ASSERT_EQ(device.Inquiry(&io, false, true, 0x80, 255), 0);
    EXPECT_EQ(std::string(device.GetSerialNumber()), std::string(reinterpret_cast<char*>(page + 4), page[3]));
    EXPECT_FALSE(std::string(device.GetSerialNumber()).empty());
    const std::uint32_t limit = device.GetMaxTransferBytes();
    EXPECT_GE(limit, 64u * 1024);
    EXPECT_LE(limit, 16u << 20);
    std::uint8_t identify[512];
    EXPECT_EQ(device.IdentifyAta(identify), -1);
}

// A target that stops answering: the call fails once its time-out has passed, and every later
// call on the handle fails at once instead of waiting again.
TEST_F(OpenedUnit, AStoppedTargetFailsTheCallAfterItsTimeOut) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    Open(url);
    std::uint8_t block[512];
    ScsiRequest request;
    {
        test::PausedTarget paused;
        ASSERT_TRUE(paused.Paused());
        auto start = Clock::now();
        EXPECT_FALSE(Transfer(*port, handle, &request, true, 0, 1, block, sizeof(block), 2));
        // Time-outs count whole seconds of the wall clock: 2 s end after 1 to 3 s.
        const double waited = SecondsSince(start);
        EXPECT_GE(waited, 1.0);
        EXPECT_LT(waited, 3.5);
        EXPECT_NE(port->LastError().find("no answer"), std::string::npos) << port->LastError();
    }
    const auto start = Clock::now();
    EXPECT_FALSE(Transfer(*port, handle, &request, true, 0, 1, block, sizeof(block)));
    EXPECT_LT(SecondsSince(start), 0.5);
    // Opened again, the unit works.
    IscsiDevicePort fresh({url});
    const PortHandle again = fresh.Open(0, 0);
    ASSERT_NE(again, kInvalidPortHandle) << fresh.LastError();
    EXPECT_TRUE(Transfer(fresh, again, &request, true, 0, 1, block, sizeof(block)));
    EXPECT_EQ(request.sptd.ScsiStatus, 0x00);
    fresh.Close(again);
}

// The UI thread and a measuring thread call one handle at once: every reply reaches the caller
// that asked for it.
TEST_F(OpenedUnit, TwoThreadsShareOneHandle) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    const std::string contents = test::ReadWholeFile(test::UnitFile("DISK512"));
    Open(url);
    std::atomic<int> wrong{0};
    std::thread reader([&] {
        std::vector<std::uint8_t> data(4096);
        ScsiRequest request;
        for (std::uint32_t i = 0; i < 400; ++i) {
            const std::uint32_t lba = (i * 37) % 16000;
            if (!Transfer(*port, handle, &request, true, lba, 8, data.data(), 4096) ||
                std::memcmp(data.data(), contents.data() + lba * 512, 4096) != 0) {
                ++wrong;
            }
        }
    });
    std::uint8_t inquiry[96];
    ScsiRequest request;
    for (int i = 0; i < 400; ++i) {
        std::memset(inquiry, 0, sizeof(inquiry));
        InitScsiRequest(&request, 6, kScsiIoctlDataIn, inquiry, sizeof(inquiry), 2);
        request.sptd.Cdb[0] = 0x12;
        request.sptd.Cdb[4] = sizeof(inquiry);
        std::uint32_t returned = 0;
        if (!port->Control(handle, kIoctlScsiPassThroughDirect, &request, sizeof(request), &request,
                           sizeof(request), &returned) ||
            std::memcmp(inquiry + 8, "IET     VIRTUAL-DISK", 20) != 0) {
            ++wrong;
        }
    }
    reader.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace sektra
