#pragma once
// Sense keys and additional sense codes the emulated target reports.
#include <cstdint>

namespace sektra {

struct SenseCode {
    std::uint8_t key = 0;
    std::uint8_t asc = 0;
    std::uint8_t ascq = 0;
};

constexpr std::uint8_t kSenseRecoveredError = 0x01;
constexpr std::uint8_t kSenseNotReady = 0x02;
constexpr std::uint8_t kSenseIllegalRequest = 0x05;
constexpr std::uint8_t kSenseDataProtect = 0x07;
constexpr std::uint8_t kSenseMiscompare = 0x0E;

constexpr SenseCode kInvalidOpcode{kSenseIllegalRequest, 0x20, 0x00};
constexpr SenseCode kLbaOutOfRange{kSenseIllegalRequest, 0x21, 0x00};
constexpr SenseCode kInvalidFieldInCdb{kSenseIllegalRequest, 0x24, 0x00};
constexpr SenseCode kMediumNotPresent{kSenseNotReady, 0x3A, 0x00};
constexpr SenseCode kWriteProtected{kSenseDataProtect, 0x27, 0x00};
constexpr SenseCode kMiscompareDuringVerify{kSenseMiscompare, 0x1D, 0x00};
constexpr SenseCode kDefectListNotFound{kSenseRecoveredError, 0x1C, 0x00};

constexpr std::uint8_t kStatusGood = 0x00;
constexpr std::uint8_t kStatusCheckCondition = 0x02;
constexpr std::uint8_t kStatusBusy = 0x08;
constexpr std::uint8_t kStatusReservationConflict = 0x18;
constexpr std::uint8_t kStatusTaskSetFull = 0x28;

// Fixed-format sense data (response code 70h) as a device returns it, 18 bytes.
constexpr std::uint32_t kFixedSenseLength = 18;
inline void FillFixedSense(std::uint8_t* sense, const SenseCode& code) {
    for (std::uint32_t i = 0; i < kFixedSenseLength; ++i) sense[i] = 0;
    sense[0] = 0x70;
    sense[2] = code.key & 0x0F;
    sense[7] = kFixedSenseLength - 8;
    sense[12] = code.asc;
    sense[13] = code.ascq;
}

// Descriptor-format sense data (response code 72h) without descriptors, 8 bytes: what disks
// whose block addresses outgrow the 32-bit INFORMATION field of fixed format send.
constexpr std::uint32_t kDescriptorSenseLength = 8;
inline void FillDescriptorSense(std::uint8_t* sense, const SenseCode& code) {
    for (std::uint32_t i = 0; i < kDescriptorSenseLength; ++i) sense[i] = 0;
    sense[0] = 0x72;
    sense[1] = code.key & 0x0F;
    sense[2] = code.asc;
    sense[3] = code.ascq;
    sense[7] = 0;  // additional sense length: no descriptors follow
}

}  // namespace sektra
