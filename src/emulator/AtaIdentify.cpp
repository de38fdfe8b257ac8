#include "emulator/AtaIdentify.h"

#include <algorithm>
#include <string>

namespace sektra {

namespace {

void PutWord(IdentifyBlock& b, int word, std::uint16_t value) {
    b[2 * word] = static_cast<std::uint8_t>(value);
    b[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutAtaText(IdentifyBlock& b, int firstWord, int words, const std::string& text) {
    for (int i = 0; i < 2 * words; ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[i] : ' ';
        // The first character of each pair lies in the word's high byte.
        b[2 * firstWord + (i ^ 1)] = static_cast<std::uint8_t>(c);
    }
}

std::string Padded(const std::string& text, std::size_t width) {
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

}  // namespace

IdentifyBlock BuildIdentifyBlock(const DeviceConfig& config, bool packet) {
    IdentifyBlock b{};
    // A SATA disk's own texts, or else the model as the ATA port puts it into INQUIRY: vendor
    // and product fields, 24 bytes.
    std::string model = config.ataModel.empty() ? Padded(config.vendor, 8) + Padded(config.product, 16) : config.ataModel;
    model.erase(model.find_last_not_of(' ') + 1);
    const std::string& firmware = config.ataFirmware.empty() ? config.revision : config.ataFirmware;

    std::string serial = config.serialNumber.substr(0, 20);
    serial.insert(0, 20 - serial.size(), ' ');  // right-aligned, as drives report it
    PutAtaText(b, 10, 10, serial);
    PutAtaText(b, 23, 4, firmware);
    PutAtaText(b, 27, 20, model);

    if (packet) {
        // ATAPI, CD-ROM device, removable, DRQ within 50 us, 12-byte packets.
        PutWord(b, 0, 0x85C0);
        PutWord(b, 49, 0x0F00);   // IORDY, LBA, DMA
        PutWord(b, 53, 0x0006);
        PutWord(b, 80, 0x0070);   // ATA/ATAPI-4 to -6
        PutWord(b, 82, 0x4210);   // PACKET, DEVICE RESET, NOP
        PutWord(b, 88, 0x041F);   // Ultra DMA modes 0-4, mode 2 selected
    } else {
        PutWord(b, 0, 0x0040);  // fixed device
        const std::uint64_t blocks = config.blockCount;
        PutWord(b, 1, static_cast<std::uint16_t>(std::min<std::uint64_t>(blocks / (16 * 63), 16383)));
        PutWord(b, 3, 16);
        PutWord(b, 6, 63);
        PutWord(b, 47, 0x8010);  // READ/WRITE MULTIPLE up to 16 sectors
        PutWord(b, 49, 0x0F00);
        PutWord(b, 53, 0x0007);
        const std::uint32_t lba28 = static_cast<std::uint32_t>(std::min<std::uint64_t>(blocks, 0x0FFFFFFF));
        PutWord(b, 60, static_cast<std::uint16_t>(lba28));
        PutWord(b, 61, static_cast<std::uint16_t>(lba28 >> 16));
        PutWord(b, 80, 0x01F0);   // ATA-4 to ATA-8
        PutWord(b, 82, 0x7469);   // SMART, write cache, look-ahead, ...
        PutWord(b, 83, 0x7D01 | 0x0400);  // 48-bit addressing
        PutWord(b, 84, 0x4023);
        PutWord(b, 85, 0x7469);
        PutWord(b, 86, 0x3C01 | 0x0400);
        PutWord(b, 87, 0x4023);
        PutWord(b, 88, 0x207F);   // Ultra DMA modes 0-6, mode 5 selected
        for (int i = 0; i < 4; ++i) PutWord(b, 100 + i, static_cast<std::uint16_t>(blocks >> (16 * i)));
        PutWord(b, 217, config.ataRotationRate);
        if (config.sataGeneration >= 1 && config.sataGeneration <= 3) {
            // Every generation up to the fastest, which is also the one negotiated (word 77).
            PutWord(b, 76, static_cast<std::uint16_t>(((1u << config.sataGeneration) - 1) << 1 | 0x0100));
            PutWord(b, 77, static_cast<std::uint16_t>(config.sataGeneration << 1));
        }
        if (config.ataTrim) PutWord(b, 169, 0x0001);
        if (config.physicalBlockLength > config.blockLength && config.blockLength == 512) {
            // Valid, several logical sectors per physical one: 2^n of them.
            unsigned n = 0;
            while ((512u << (n + 1)) <= config.physicalBlockLength && n < 15) ++n;
            PutWord(b, 106, static_cast<std::uint16_t>(0x6000 | n));
        }
    }
    // Integrity word: signature A5h, then the byte that makes the block's sum 0 modulo 256.
    b[510] = 0xA5;
    std::uint8_t sum = 0;
    for (int i = 0; i < 511; ++i) sum = static_cast<std::uint8_t>(sum + b[i]);
    b[511] = static_cast<std::uint8_t>(-sum);
    return b;
}

}  // namespace sektra
