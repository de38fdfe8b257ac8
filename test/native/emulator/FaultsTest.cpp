// Injected faults, held commands, malformed replies and the command log.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kIn = kScsiIoctlDataIn;

class Faults : public ::testing::Test {
protected:
    Faults() : disk(port.AddDevice(0, TestDisk(2048))), raw(port) {}
    RawOutcome Inquiry(std::vector<std::uint8_t>& d) { return raw.In({0x12, 0, 0, 0, 36, 0}, d); }
    RawOutcome Read(std::vector<std::uint8_t>& d) { return raw.In({0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0}, d); }
    EmulatedPort port;
    EmulatedDevice& disk;
    RawDevice raw;
};

TEST_F(Faults, FailingControlCallAtCommandN) {
    FaultRule rule;
    rule.action = FaultAction::FailControl;
    rule.atCommand = 2;
    disk.AddFault(rule);
    std::vector<std::uint8_t> d(36);
    EXPECT_TRUE(Inquiry(d).ok);
    EXPECT_TRUE(Inquiry(d).ok);
    EXPECT_FALSE(Inquiry(d).ok);
    EXPECT_TRUE(Inquiry(d).ok);
    std::vector<std::uint8_t> out(32);
    std::uint32_t returned;
    EXPECT_TRUE(raw.Query(kStorageAdapterProperty, out, &returned));

    rule.onwards = true;
    rule.atCommand = 5;
    disk.AddFault(rule);
    EXPECT_FALSE(Inquiry(d).ok);
    EXPECT_FALSE(raw.Query(kStorageAdapterProperty, out, &returned));
    const auto entries = disk.Log().Entries();
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[2].result, CommandResult::ControlFailed);
    EXPECT_EQ(entries[4].ioControlCode, kIoctlStorageQueryProperty);
    EXPECT_EQ(entries[4].result, CommandResult::Good);
}

TEST_F(Faults, StatusWithoutSenseDescriptorSenseAndShortTransfers) {
    struct Case {
        const char* what;
        FaultAction action;
        std::uint8_t status;     // of the rule (Status only)
        std::uint8_t wantStatus;
        std::uint8_t responseCode;  // sense byte 0
        std::uint32_t moved;        // DataTransferLength as it comes back
    };
    const Case cases[] = {
        {"BUSY", FaultAction::Status, 0x08, 0x08, 0x00, 0},
        {"RESERVATION CONFLICT", FaultAction::Status, 0x18, 0x18, 0x00, 0},
        {"TASK SET FULL", FaultAction::Status, 0x28, 0x28, 0x00, 0},
        {"CHECK CONDITION, descriptor", FaultAction::CheckConditionDescriptor, 0, 0x02, 0x72, 0},
        {"CHECK CONDITION, fixed", FaultAction::CheckCondition, 0, 0x02, 0x70, 0},
        {"underrun", FaultAction::ShortTransfer, 0, 0x00, 0x00, 256},
    };
    for (const Case& c : cases) {
        disk.ClearFaults();
        FaultRule rule;
        rule.action = c.action;
        rule.opcode = 0x28;
        rule.status = c.status;
        rule.senseKey = 0x04;
        rule.asc = 0x44;
        disk.AddFault(rule);
        std::vector<std::uint8_t> d(512);
        const RawOutcome o = Read(d);
        ASSERT_TRUE(o.ok) << c.what;
        EXPECT_EQ(o.status, c.wantStatus) << c.what;
        EXPECT_EQ(o.request.sense[0], c.responseCode) << c.what;
        EXPECT_EQ(o.key, c.responseCode != 0 ? 4 : 0) << c.what;
        EXPECT_EQ(o.asc, c.responseCode != 0 ? 0x44 : 0) << c.what;
        EXPECT_EQ(o.request.sptd.DataTransferLength, c.moved) << c.what;
        EXPECT_EQ(disk.Log().Entries().back().result,
                  c.wantStatus == 0 ? CommandResult::Good : CommandResult::CheckCondition) << c.what;
    }
}

TEST_F(Faults, RequestComesBackWithTheBytesReallyMoved) {
    // A good READ(10) of one block keeps its length; an INQUIRY that returns fewer bytes than
    // asked for comes back shorter, so a request resent unchanged asks for less.
    std::vector<std::uint8_t> d(512);
    EXPECT_EQ(Read(d).request.sptd.DataTransferLength, 512u);
    std::vector<std::uint8_t> big(255);
    const RawOutcome o = raw.In({0x12, 0, 0, 0, 255, 0}, big);
    EXPECT_LT(o.request.sptd.DataTransferLength, 255u);
    EXPECT_GT(o.request.sptd.DataTransferLength, 0u);
}

TEST_F(Faults, CheckConditionForChosenOpcodes) {
    FaultRule rule;
    rule.action = FaultAction::CheckCondition;
    rule.opcode = 0x28;
    rule.senseKey = 0x03;  // MEDIUM ERROR, unrecovered read error
    rule.asc = 0x11;
    disk.AddFault(rule);
    std::vector<std::uint8_t> d(512, 0xCC);
    RawOutcome o = Read(d);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.status, 0x02);
    EXPECT_EQ(o.key, 0x03);
    EXPECT_EQ(o.asc, 0x11);
    EXPECT_EQ(d[0], 0xCC);  // no data moved
    EXPECT_EQ(Inquiry(d).status, 0x00);

    disk.ClearFaults();
    rule.action = FaultAction::CheckConditionNoSense;
    rule.opcode = -1;
    rule.atCommand = 2;  // the third control call on this device
    disk.AddFault(rule);
    o = Read(d);
    EXPECT_EQ(o.status, 0x02);
    EXPECT_EQ(o.key, 0);
    EXPECT_EQ(o.asc, 0);
    EXPECT_EQ(o.request.sense[0], 0);
    EXPECT_EQ(Read(d).status, 0x00);
}

TEST_F(Faults, HeldCommandWaitsForRelease) {
    FaultRule rule;
    rule.action = FaultAction::Hold;
    rule.opcode = 0x28;
    disk.AddFault(rule);
    std::atomic<bool> done{false};
    std::vector<std::uint8_t> d(512);
    std::thread worker([&] {
        RawDevice own(port);
        EXPECT_EQ(own.In({0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0}, d).status, 0);
        done = true;
    });
    ASSERT_TRUE(disk.WaitUntilHeld(std::chrono::seconds(10)));
    EXPECT_EQ(disk.HeldCount(), 1);
    EXPECT_FALSE(done);
    // Other commands still get through while one is held.
    std::vector<std::uint8_t> inquiry(36);
    EXPECT_EQ(Inquiry(inquiry).status, 0);
    disk.Release();
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(disk.HeldCount(), 0);
    EXPECT_FALSE(disk.WaitUntilHeld(std::chrono::milliseconds(1)));
}

struct LengthCase {
    const char* name;
    std::vector<std::uint8_t> cdb;
    LengthFault ReplyFaults::*field;
    LengthFault fault;
    std::size_t offset;  // of the length field
    int width;
    std::uint32_t expected;
};

class LengthFaults : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthFaults, HeaderLiesButDeliveryStaysWithinTheAllocation) {
    const LengthCase& c = GetParam();
    EmulatedPort port;
    EmulatedDevice& disk = port.AddDevice(0, TestDisk(2048));
    ReplyFaults faults;
    faults.*c.field = c.fault;
    disk.SetReplyFaults(faults);
    RawDevice raw(port);
    const std::uint32_t allocation = c.cdb[0] == 0x12 ? c.cdb[4] : Be16(&c.cdb[7]);
    std::vector<std::uint8_t> d(allocation + 64, 0xCC);
    RawOutcome o = raw.SendPrepared({}, kIn, d.data(), allocation + 64, [&](ScsiRequest& r) {
        r.sptd.CdbLength = static_cast<std::uint8_t>(c.cdb.size());
        std::copy(c.cdb.begin(), c.cdb.end(), r.sptd.Cdb);
    });
    ASSERT_TRUE(o.ok);
    ASSERT_EQ(o.status, 0);
    const std::uint32_t value = c.width == 1 ? d[c.offset] : Be16(&d[c.offset]);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(d[allocation], 0xCC);  // nothing beyond the allocation length
}

INSTANTIATE_TEST_SUITE_P(
    Emulator, LengthFaults,
    ::testing::Values(
        LengthCase{"InquiryZero", {0x12, 0, 0, 0, 36, 0}, &ReplyFaults::standardInquiry, LengthFault::Zero, 4, 1, 0},
        LengthCase{"InquiryFF", {0x12, 0, 0, 0, 5, 0}, &ReplyFaults::standardInquiry, LengthFault::Byte0xFF, 4, 1, 0xFF},
        // Allocation 36 + 64 - 5 uncounted bytes.
        LengthCase{"InquiryBeyond", {0x12, 0, 0, 0, 36, 0}, &ReplyFaults::standardInquiry, LengthFault::BeyondAllocation, 4, 1, 95},
        LengthCase{"VpdFF", {0x12, 1, 0x80, 0, 255, 0}, &ReplyFaults::vpdPage, LengthFault::Byte0xFF, 2, 2, 0xFF},
        LengthCase{"VpdAllOnes", {0x12, 1, 0x00, 0, 4, 0}, &ReplyFaults::vpdPage, LengthFault::AllOnes, 2, 2, 0xFFFF},
        LengthCase{"LogZero", {0x4D, 0, 0x42, 0, 0, 0, 0, 1, 0, 0}, &ReplyFaults::logPage, LengthFault::Zero, 2, 2, 0},
        LengthCase{"LogBeyond", {0x4D, 0, 0x4D, 0, 0, 0, 0, 0, 4, 0}, &ReplyFaults::logPage, LengthFault::BeyondAllocation, 2, 2, 64},
        LengthCase{"ModeAllOnes", {0x5A, 0, 0x3F, 0, 0, 0, 0, 0, 2, 0}, &ReplyFaults::modeData, LengthFault::AllOnes, 0, 2, 0xFFFF},
        LengthCase{"ModeDescriptorsBeyond", {0x5A, 0, 0x08, 0, 0, 0, 0, 1, 0, 0}, &ReplyFaults::modeBlockDescriptors, LengthFault::BeyondAllocation, 6, 2, 312},
        LengthCase{"DefectFF", {0x37, 0, 0x15, 0, 0, 0, 0, 0, 4, 0}, &ReplyFaults::defectList, LengthFault::Byte0xFF, 2, 2, 0xFF},
        LengthCase{"DefectAllOnes", {0x37, 0, 0x0D, 0, 0, 0, 0, 1, 0, 0}, &ReplyFaults::defectList, LengthFault::AllOnes, 2, 2, 0xFFFF}),
    [](const ::testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

TEST_F(Faults, MutatorMayRewriteRepliesButNeverOverflowTheCaller) {
    disk.SetReplyMutator([](const ReplyContext& context, std::vector<std::uint8_t>& reply) {
        if (context.kind == ReplyKind::DeviceDescriptor) {
            const std::uint32_t offset = 5000;
            std::memcpy(&reply[offsetof(StorageDeviceDescriptor, SerialNumberOffset)], &offset, 4);
        }
        reply.resize(100000, 0xAB);  // far more than anyone asked for
    });
    std::vector<std::uint8_t> d(36 + 16, 0xCC);
    ASSERT_TRUE(raw.Send({0x12, 0, 0, 0, 36, 0}, kIn, d.data(), 36).ok);
    EXPECT_EQ(d[32], 'T');  // still the real revision field...
    EXPECT_EQ(d[36], 0xCC);  // ...and not one byte more
    std::vector<std::uint8_t> descriptor(64, 0);
    std::uint32_t returned = 0;
    ASSERT_TRUE(raw.Query(kStorageDeviceProperty, descriptor, &returned));
    EXPECT_EQ(returned, 64u);
    StorageDeviceDescriptor h{};
    std::memcpy(&h, descriptor.data(), offsetof(StorageDeviceDescriptor, RawDeviceProperties));
    EXPECT_EQ(h.SerialNumberOffset, 5000u);
}

TEST_F(Faults, LogRecordsEveryCommandAndAnswersWhetherAnythingWrote) {
    std::vector<std::uint8_t> d(512);
    Read(d);
    raw.In({0x28, 0, 0, 0, 0x08, 0, 0, 0, 1, 0}, d);  // out of range
    raw.Send({0x2B, 0, 0, 0, 0x01, 0x00, 0, 0, 0, 0}, kIn, nullptr, 0);
    EXPECT_FALSE(disk.Log().AnyWriteSent());
    EXPECT_EQ(disk.Log().CountOpcode(0x28), 2u);

    const auto entries = disk.Log().Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].opcode, 0x28);
    EXPECT_EQ(entries[0].blocks, 1u);
    EXPECT_EQ(entries[0].direction, DataDirection::In);
    EXPECT_EQ(entries[0].transferLength, 512u);
    EXPECT_EQ(entries[0].result, CommandResult::Good);
    EXPECT_EQ(entries[1].result, CommandResult::CheckCondition);
    EXPECT_EQ(entries[1].senseKey, 5);
    EXPECT_EQ(entries[1].asc, 0x21);
    EXPECT_EQ(entries[2].opcode, 0x2B);
    EXPECT_EQ(entries[2].lba, 256u);
    EXPECT_EQ(entries[2].cdbLength, 10);
    EXPECT_EQ(entries[2].cdb[4], 0x01);

    // A WRITE BUFFER counts even when the device refuses it.
    std::vector<std::uint8_t> out(16);
    raw.Out({0x3B, 5, 0, 0, 0, 0, 0, 0, 16, 0}, out);
    EXPECT_TRUE(disk.Log().AnyWriteSent());
    EXPECT_EQ(disk.Log().CountOpcode(0x3B), 1u);
    disk.Log().Clear();
    EXPECT_FALSE(disk.Log().AnyWriteSent());
    EXPECT_EQ(disk.Log().Total(), 0u);
}

TEST(CommandLog, KeepsTheLatestEntriesButCountsAll) {
    CommandLog log(2);
    for (int i = 0; i < 5; ++i) {
        LoggedCommand c;
        c.index = i;
        c.opcode = 0x2A;
        c.cdbLength = 10;
        log.Add(c);
    }
    const auto entries = log.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].index, 3u);
    EXPECT_EQ(log.Total(), 5u);
    EXPECT_EQ(log.CountOpcode(0x2A), 5u);
}

}  // namespace
}  // namespace sektra::test
