#include "emulator/ReservedBits.h"

namespace sektra {

namespace {

struct ReservedField {
    std::uint8_t opcode;
    std::uint8_t byte;
    std::uint8_t mask;
};

// Byte 1 bits 7-5 of the READ and WRITE families (RDPROTECT, WRPROTECT, VRPROTECT) ask for
// protection information, which no emulated medium is formatted with; in the other commands
// they are the old LUN field, reserved today.
constexpr ReservedField kReserved[] = {
    {0x00, 1, 0xFF}, {0x00, 2, 0xFF}, {0x00, 3, 0xFF}, {0x00, 4, 0xFF},  // TEST UNIT READY
    {0x03, 1, 0xFE}, {0x03, 2, 0xFF}, {0x03, 3, 0xFF},                  // REQUEST SENSE
    {0x12, 1, 0xFC},                                                      // INQUIRY
    // READ CAPACITY(10): bit 1 of byte 1 included, once read as a "long form" request.
    {0x25, 1, 0xFE}, {0x25, 6, 0xFF}, {0x25, 7, 0xFF}, {0x25, 8, 0xFE},
    {0x28, 1, 0xE4}, {0x28, 6, 0xE0},                                     // READ(10)
    {0x2A, 1, 0xE4}, {0x2A, 6, 0xE0},                                     // WRITE(10)
    {0x2B, 1, 0xFF}, {0x2B, 6, 0xFF}, {0x2B, 7, 0xFF}, {0x2B, 8, 0xFF},  // SEEK(10)
    {0x2E, 1, 0xE8}, {0x2E, 6, 0xE0},                                     // WRITE AND VERIFY(10)
    {0x2F, 1, 0xE8}, {0x2F, 6, 0xE0},                                     // VERIFY(10)
    {0x35, 1, 0xF8}, {0x35, 6, 0xE0},                                     // SYNCHRONIZE CACHE(10)
    // READ DEFECT DATA(10)
    {0x37, 1, 0xFF}, {0x37, 2, 0xE0}, {0x37, 3, 0xFF}, {0x37, 4, 0xFF}, {0x37, 5, 0xFF}, {0x37, 6, 0xFF},
    {0x3B, 1, 0xE0},                                                      // WRITE BUFFER
    {0x3C, 1, 0xE0},                                                      // READ BUFFER
    {0x4D, 1, 0xFC}, {0x4D, 4, 0xFF},                                     // LOG SENSE
    {0x5A, 1, 0xE7}, {0x5A, 4, 0xFF}, {0x5A, 5, 0xFF}, {0x5A, 6, 0xFF},  // MODE SENSE(10)
    {0x88, 1, 0xE4}, {0x88, 14, 0xC0},                                    // READ(16)
    {0x8A, 1, 0xE4}, {0x8A, 14, 0xC0},                                    // WRITE(16)
    {0x9E, 1, 0xE0}, {0x9E, 14, 0xFE},                                    // READ CAPACITY(16)
};

}  // namespace

bool SetsReservedBit(const std::uint8_t* cdb, std::uint8_t cdbLength) {
    for (const ReservedField& field : kReserved) {
        if (field.opcode == cdb[0] && field.byte < cdbLength && (cdb[field.byte] & field.mask) != 0) return true;
    }
    return false;
}

}  // namespace sektra
