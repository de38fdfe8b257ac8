// The emulated target's vital product data pages: the list (00h), unit serial number (80h),
// device identification (83h), block limits (B0h), block device characteristics (B1h) and
// logical block provisioning (B2h).
#include <algorithm>

#include "emulator/ScsiPages.h"

namespace sektra {

namespace {

const std::uint8_t kKnownVpdPages[] = {0x80, 0x83, 0xB0, 0xB1, 0xB2};

void AppendBigEndian(Bytes& out, std::uint64_t value, int bytes) {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(bytes));
    PutBigEndian(&out[at], value, bytes);
}

// A designation descriptor: code set, association and type, then the identifier.
void AppendDesignator(Bytes& out, std::uint8_t codeSet, std::uint8_t association, std::uint8_t type, const Bytes& id) {
    out.insert(out.end(), {codeSet, static_cast<std::uint8_t>(association << 4 | type), 0x00,
                           static_cast<std::uint8_t>(id.size())});
    out.insert(out.end(), id.begin(), id.end());
}

// A 64-bit number the device's identifiers share, derived from its serial number.
std::uint32_t SerialHash(const DeviceConfig& config) {
    std::uint32_t hash = 2166136261u;
    for (char c : config.serialNumber) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return hash;
}

void AppendIdentification(const DeviceConfig& config, Bytes& out) {
    // T10 vendor identification: vendor, product and serial, ASCII.
    Bytes t10(24);
    PutText(&t10[0], 8, config.vendor);
    PutText(&t10[8], 16, config.product);
    t10.insert(t10.end(), config.serialNumber.begin(), config.serialNumber.end());
    AppendDesignator(out, 0x02, 0, 1, t10);
    // NAA IEEE Registered (5h) identifier.
    const std::uint64_t naa = 0x5000000000000000ull | (0x0ABCDEull << 36) | SerialHash(config);
    Bytes id;
    AppendBigEndian(id, naa, 8);
    AppendDesignator(out, 0x01, 0, 3, id);
    // EUI-64 of the logical unit under the same company identifier.
    id.clear();
    AppendBigEndian(id, 0x0ABCDE0000000000ull | SerialHash(config), 8);
    AppendDesignator(out, 0x01, 0, 2, id);
    // The target device's SCSI name string: UTF-8, null-terminated, padded to 4 bytes.
    static const char hex[] = "0123456789abcdef";
    std::string name = "naa.";
    for (int shift = 60; shift >= 0; shift -= 4) name += hex[(naa >> shift) & 0x0F];
    Bytes text(name.begin(), name.end());
    text.resize((text.size() + 4) / 4 * 4, 0);
    AppendDesignator(out, 0x03, 2, 8, text);
}

void AppendBlockLimits(const DeviceConfig& config, Bytes& out) {
    const std::uint32_t blockLength = config.blockLength == 0 ? 512 : config.blockLength;
    const std::uint32_t perPhysical = config.physicalBlockLength > blockLength ? config.physicalBlockLength / blockLength : 1;
    const std::uint32_t maxTransfer = config.maximumTransferLength / blockLength;
    const std::size_t at = out.size();
    out.resize(at + 0x3C, 0);
    std::uint8_t* b = &out[at];  // byte 4 of the page
    PutBigEndian(b + 2, perPhysical, 2);                               // optimal transfer length granularity
    PutBigEndian(b + 4, maxTransfer, 4);                               // maximum transfer length
    PutBigEndian(b + 8, std::min<std::uint32_t>(maxTransfer, 65536 / blockLength), 4);  // optimal
    if (config.thinProvisioned) {
        PutBigEndian(b + 16, 0x400000, 4);                             // maximum UNMAP LBA count
        PutBigEndian(b + 20, 1, 4);                                    // maximum UNMAP block descriptors
        PutBigEndian(b + 24, perPhysical, 4);                          // optimal UNMAP granularity
        PutBigEndian(b + 28, 0x80000000u, 4);                          // UGAVALID, alignment 0
        PutBigEndian(b + 32, 0x400000, 8);                             // maximum WRITE SAME length
    }
}

void AppendCharacteristics(const DeviceConfig& config, Bytes& out) {
    const std::size_t at = out.size();
    out.resize(at + 0x3C, 0);
    PutBigEndian(&out[at], config.rotationRate, 2);
    out[at + 3] = config.formFactor & 0x0F;
}

void AppendProvisioning(const DeviceConfig& config, Bytes& out) {
    // Threshold exponent, then LBPU, LBPWS, LBPWS10 and LBPRZ 1 (unmapped blocks read as
    // zeros), then the provisioning type: thin (2) or full (0).
    if (config.thinProvisioned) {
        out.insert(out.end(), {0x00, 0xE4, 0x02, 0x00});
    } else {
        out.insert(out.end(), {0x00, 0x00, 0x00, 0x00});
    }
}

}  // namespace

bool VpdPage(const DeviceConfig& config, std::uint8_t page, Bytes& out) {
    std::vector<std::uint8_t> pages;
    for (std::uint8_t p : kKnownVpdPages) {
        if (std::find(config.vpdPages.begin(), config.vpdPages.end(), p) != config.vpdPages.end()) pages.push_back(p);
    }
    if (pages.empty()) return false;
    out = {static_cast<std::uint8_t>(config.peripheralType & 0x1F), page, 0, 0};
    const bool has = std::find(pages.begin(), pages.end(), page) != pages.end();
    if (page == 0x00) {
        out.push_back(0x00);
        out.insert(out.end(), pages.begin(), pages.end());
    } else if (!has) {
        return false;
    } else if (page == 0x80) {
        out.insert(out.end(), config.serialNumber.begin(), config.serialNumber.end());
    } else if (page == 0x83) {
        AppendIdentification(config, out);
    } else if (page == 0xB0) {
        AppendBlockLimits(config, out);
    } else if (page == 0xB1) {
        AppendCharacteristics(config, out);
    } else if (page == 0xB2) {
        AppendProvisioning(config, out);
    }
    PutBigEndian(&out[2], out.size() - 4, 2);
    return true;
}

}  // namespace sektra
