#pragma once
// Answers the standards fix (SPC-4, SBC-3), for a disk of 16384 blocks of 512 bytes: what the
// emulated disk must say and what a real target says. One table for both, sent through any
// device port as raw pass-through requests.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/DevicePort.h"
#include "device/ScsiRequest.h"

namespace sektra::test {

constexpr std::uint8_t kGood = 0x00;
constexpr std::uint8_t kCheckCondition = 0x02;

struct StandardCase {
    const char* name;
    std::vector<std::uint8_t> cdb;
    std::uint8_t dataIn;
    std::uint32_t length;
    std::uint8_t status;
    std::uint8_t key, asc;  // with CHECK CONDITION
    // False where the real target answers otherwise and the standard sides with the emulator.
    bool targetFollows = true;
};

// Block 16384 (0x4000) is the first past the end.
inline const std::vector<StandardCase>& StandardCases() {
    static const std::vector<StandardCase> cases = {
        // SPC-4: EVPD 0 with a page code other than 0 is an invalid field.
        {"INQUIRY, EVPD 0 with a page code", {0x12, 0, 0x01, 0, 96, 0}, 1, 96, kCheckCondition, 5, 0x24},
        {"INQUIRY of a VPD page the unit lacks", {0x12, 1, 0xC7, 0, 96, 0}, 1, 96, kCheckCondition, 5, 0x24},
        // SPC-4: an allocation length of 0 is no error; nothing moves.
        {"INQUIRY, allocation length 0", {0x12, 0, 0, 0, 0, 0}, 1, 0, kGood, 0, 0},
        // SBC-3: PMI 0 with a logical block address other than 0.
        {"READ CAPACITY(10), PMI 0 with an address", {0x25, 0, 0, 0, 0, 5, 0, 0, 0, 0}, 1, 8, kCheckCondition, 5,
         0x24},
        {"READ(10) of the block past the end", {0x28, 0, 0, 0, 0x40, 0, 0, 0, 1, 0}, 1, 512, kCheckCondition, 5, 0x21},
        {"READ(10) across the end", {0x28, 0, 0, 0, 0x3F, 0xFF, 0, 0, 2, 0}, 1, 1024, kCheckCondition, 5, 0x21},
        // SBC-3: a transfer length of 0 transfers nothing and is no error.
        {"READ(10) of no blocks", {0x28, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, kGood, 0, 0},
        // SPC-4: an operation code the unit does not implement, whatever its group.
        {"vendor-specific operation code EEh", {0xEE, 0, 0, 0, 0, 0}, 1, 0, kCheckCondition, 5, 0x20},
        {"obsolete operation code 02h", {0x02, 0, 0, 0, 0, 0}, 1, 0, kCheckCondition, 5, 0x20},
        {"MODE SENSE(10) of a page the unit lacks", {0x5A, 0, 0x15, 0, 0, 0, 0, 0, 255, 0}, 1, 255, kCheckCondition, 5,
         0x24},
        // SBC-3: VERIFY checks its range like any medium access. The target answers GOOD.
        {"VERIFY(10) of the block past the end", {0x2F, 0, 0, 0, 0x40, 0, 0, 0, 1, 0}, 0, 0, kCheckCondition, 5, 0x21,
         false},
        {"SYNCHRONIZE CACHE(10)", {0x35, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, kGood, 0, 0},
        {"TEST UNIT READY", {0, 0, 0, 0, 0, 0}, 1, 0, kGood, 0, 0},
    };
    return cases;
}

struct StandardAnswer {
    bool delivered = false;
    std::uint8_t status = 0xEE, key = 0xEE, asc = 0xEE;
};

inline StandardAnswer SendStandardCase(DevicePort& port, PortHandle handle, const StandardCase& c) {
    std::vector<std::uint8_t> data(c.length + 1, 0);
    ScsiRequest request;
    InitScsiRequest(&request, static_cast<std::uint8_t>(c.cdb.size()), c.dataIn, c.length ? data.data() : nullptr,
                    c.length, 5);
    for (std::size_t i = 0; i < c.cdb.size(); ++i) request.sptd.Cdb[i] = c.cdb[i];
    std::uint32_t returned = 0;
    StandardAnswer a;
    a.delivered = port.Control(handle, kIoctlScsiPassThroughDirect, &request, sizeof(request), &request,
                               sizeof(request), &returned);
    a.status = request.sptd.ScsiStatus;
    a.key = request.sense[2] & 0x0F;
    a.asc = request.sense[12];
    return a;
}

// Sends every case (only those the real target follows when `realTarget`) and checks the
// status and, with CHECK CONDITION, the sense key and ASC.
inline void ExpectStandardAnswers(DevicePort& port, PortHandle handle, bool realTarget) {
    for (const StandardCase& c : StandardCases()) {
        if (realTarget && !c.targetFollows) continue;
        SCOPED_TRACE(c.name);
        const StandardAnswer a = SendStandardCase(port, handle, c);
        ASSERT_TRUE(a.delivered);
        EXPECT_EQ(a.status, c.status);
        if (c.status == kCheckCondition) {
            EXPECT_EQ(a.key, c.key);
            EXPECT_EQ(a.asc, c.asc);
        }
    }
}

}  // namespace sektra::test
