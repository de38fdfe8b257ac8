#include "emulator/ScsiPages.h"

#include <algorithm>

namespace sektra {

namespace {

bool Has(const std::vector<std::uint8_t>& list, std::uint8_t page) {
    return std::find(list.begin(), list.end(), page) != list.end();
}

std::vector<std::uint8_t> Sorted(std::vector<std::uint8_t> list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

const std::uint8_t kKnownLogPages[] = {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F};
const std::uint8_t kKnownModePages[] = {0x01, 0x08, 0x0A, 0x1C, 0x2A};

void AppendText(Bytes& out, std::size_t count, const std::string& text) {
    const std::size_t at = out.size();
    out.resize(at + count);
    PutText(&out[at], count, text);
}

// A log parameter: code, control byte, then `length` value bytes.
void AppendLogParameter(Bytes& out, std::uint16_t code, std::uint8_t control, std::uint8_t length,
                        std::uint64_t value) {
    out.push_back(static_cast<std::uint8_t>(code >> 8));
    out.push_back(static_cast<std::uint8_t>(code));
    out.push_back(control);
    out.push_back(length);
    const std::size_t at = out.size();
    out.resize(at + length);
    PutBigEndian(&out[at], value, std::min<int>(length, 8));
}

// Parameters of one log page (without the 4-byte header).
Bytes LogParameters(const DeviceConfig& config, std::uint8_t page) {
    Bytes p;
    const std::uint64_t capacityBytes = config.blockCount * config.blockLength;
    switch (page) {
    case 0x02:  // write error counters
    case 0x03:  // read error counters
    case 0x05:  // verify error counters
        for (std::uint16_t code = 0; code <= 6; ++code) {
            const std::uint64_t value = code == 5 ? capacityBytes * (page == 0x03 ? 7 : 3)
                                                  : (code == 6 ? 0 : 11u * (code + 1) + page);
            AppendLogParameter(p, code, 0x00, code == 5 ? 8 : 4, value);
        }
        break;
    case 0x0D:  // temperature: current and reference, binary format
        AppendLogParameter(p, 0x0000, 0x03, 2, config.temperatureCelsius);
        AppendLogParameter(p, 0x0001, 0x03, 2, 60);
        break;
    case 0x0E: {  // start-stop cycle counter: dates as ASCII (year, week), then counts
        for (std::uint16_t code : {std::uint16_t{1}, std::uint16_t{2}}) {
            p.insert(p.end(), {0x00, static_cast<std::uint8_t>(code), 0x01, 0x06});
            AppendText(p, 6, code == 1 ? "202601" : "202602");
        }
        AppendLogParameter(p, 0x0003, 0x03, 4, 50000);
        AppendLogParameter(p, 0x0004, 0x03, 4, 1234);
        break;
    }
    case 0x10:  // self-test results: 20 entries, the latest a passed background short test
        for (std::uint16_t code = 1; code <= 20; ++code) {
            const std::size_t at = p.size();
            AppendLogParameter(p, code, 0x03, 0x10, 0);
            if (code == 1) {
                p[at + 4] = 0x20;  // self-test code 1, result 0 (completed without error)
                p[at + 5] = 0x00;
                PutBigEndian(&p[at + 6], 4321, 2);  // power-on hours at the test
                PutBigEndian(&p[at + 8], 0xFFFFFFFFFFFFFFFFull, 8);  // no failing block
            }
        }
        break;
    case 0x11:  // solid state media: percentage used endurance indicator
        AppendLogParameter(p, 0x0001, 0x03, 4, config.percentageUsed);
        break;
    case 0x15: {  // background scan results: the status parameter
        const std::size_t at = p.size();
        AppendLogParameter(p, 0x0000, 0x03, 0x0C, 0);
        PutBigEndian(&p[at + 4], config.powerOnMinutes, 4);
        p[at + 9] = 0x00;                    // not scanning now
        PutBigEndian(&p[at + 10], 12, 2);    // background scans performed
        PutBigEndian(&p[at + 12], 0, 2);     // progress of the current scan
        PutBigEndian(&p[at + 14], 12, 2);    // background medium scans performed
        break;
    }
    case 0x2F: {  // informational exceptions: no exception, the latest temperature
        const std::size_t at = p.size();
        AppendLogParameter(p, 0x0000, 0x03, 4, 0);
        p[at + 6] = config.temperatureCelsius;
        break;
    }
    }
    return p;
}

// Every parameter's value bytes set to 0, its code, control byte and length kept.
void ZeroParameterValues(Bytes& params) {
    for (std::size_t i = 0; i + 4 <= params.size();) {
        const std::size_t end = std::min(params.size(), i + 4 + params[i + 3]);
        std::fill(params.begin() + static_cast<std::ptrdiff_t>(i + 4), params.begin() + static_cast<std::ptrdiff_t>(end), 0);
        i = end;
    }
}

Bytes ModePageBody(const DeviceConfig& config, std::uint8_t page, bool changeable) {
    Bytes p;
    switch (page) {
    case 0x01:  // read-write error recovery
        p = {0x81, 0x0A, 0xC0, 0x0B, 0x0C, 0, 0, 0, 0x0B, 0, 0xFF, 0xFF};
        if (changeable) p = {0x81, 0x0A, 0xC0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0};
        break;
    case 0x08:  // caching: write cache on, read cache on, 16 segments
        p = {0x88, 0x12, 0x04, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF,
             0xFF, 0xFF, 0x80, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
        if (changeable) {
            p.assign(20, 0);
            p[0] = 0x88;
            p[1] = 0x12;
            p[2] = 0x05;  // WCE and RCD
        }
        break;
    case 0x0A:  // control
        p = {0x8A, 0x0A, 0x02, 0x10, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x3C};
        if (changeable) p = {0x8A, 0x0A, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        break;
    case 0x1C:  // informational exceptions control: report on request
        p = {0x9C, 0x0A, 0x00, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
        if (changeable) p = {0x9C, 0x0A, 0x08, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        break;
    case 0x2A:  // CD capabilities and mechanical status: reads CD-ROM, tray loading
        p.assign(22, 0);
        p[0] = 0x2A;
        p[1] = 0x14;
        if (!changeable) {
            p[2] = 0x01;  // reads CD-R
            p[4] = 0x01;  // plays audio
            p[6] = 0x29;  // lock, eject, tray
            PutBigEndian(&p[8], 7056, 2);  // maximum read speed, KB/s (40x)
            PutBigEndian(&p[10], 255, 2);  // volume levels
            PutBigEndian(&p[12], 128, 2);  // buffer, KB
            PutBigEndian(&p[14], 7056, 2);  // current read speed
        }
        break;
    }
    (void)config;
    return p;
}

}  // namespace

void PutText(std::uint8_t* field, std::size_t count, const std::string& text) {
    for (std::size_t i = 0; i < count; ++i) {
        field[i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
    }
}

bool HasTranslatedInquiry(const DeviceConfig& config) { return config.busType == 11 && !config.ataModel.empty(); }

Bytes ReadCapacity16Data(const DeviceConfig& config) {
    Bytes d(32, 0);
    PutBigEndian(&d[0], config.blockCount - 1, 8);
    PutBigEndian(&d[8], config.blockLength, 4);
    std::uint8_t exponent = 0;
    const std::uint64_t physical = config.physicalBlockLength;
    while (exponent < 15 && config.blockLength != 0 && (std::uint64_t{config.blockLength} << (exponent + 1)) <= physical) {
        ++exponent;
    }
    d[13] = exponent;
    return d;
}

Bytes StandardInquiry(const DeviceConfig& config) {
    const bool ata = config.busType == 2 || config.busType == 3;
    Bytes d(36, 0);
    d[0] = config.peripheralType & 0x1F;
    d[1] = config.removable ? 0x80 : 0x00;
    d[2] = ata ? 0x00 : 0x05;
    d[3] = 0x12;  // HiSup, response data format 2
    d[4] = static_cast<std::uint8_t>(d.size() - 5);
    d[7] = config.busType == 1 ? 0x02 : 0x00;  // command queuing
    if (HasTranslatedInquiry(config)) {
        // The translation layer's texts: "ATA", the model's first 16 characters, and the last
        // four of the 8-character firmware (the first four when those are blank).
        std::string firmware = config.ataFirmware.substr(0, 8);
        firmware.resize(8, ' ');
        PutText(&d[8], 8, "ATA");
        PutText(&d[16], 16, config.ataModel.substr(0, 16));
        PutText(&d[32], 4, firmware.substr(4) == "    " ? firmware.substr(0, 4) : firmware.substr(4));
        return d;
    }
    PutText(&d[8], 8, config.vendor);
    PutText(&d[16], 16, config.product);
    PutText(&d[32], 4, config.revision);
    return d;
}

bool LogPage(const DeviceConfig& config, std::uint8_t page, std::uint8_t pageControl,
             std::uint16_t parameterPointer, Bytes& out) {
    constexpr std::uint8_t kCurrentCumulative = 1;
    constexpr std::uint8_t kDefaultCumulative = 3;
    if (pageControl != kCurrentCumulative && pageControl != kDefaultCumulative) return false;
    std::vector<std::uint8_t> pages;
    for (std::uint8_t p : Sorted(config.logPages)) {
        if (std::find(std::begin(kKnownLogPages), std::end(kKnownLogPages), p) != std::end(kKnownLogPages)) {
            pages.push_back(p);
        }
    }
    if (pages.empty()) return false;
    out = {page, 0, 0, 0};
    if (page == 0x00) {
        if (parameterPointer != 0) return false;
        out.push_back(0x00);
        out.insert(out.end(), pages.begin(), pages.end());
    } else if (Has(pages, page)) {
        Bytes params = LogParameters(config, page);
        if (pageControl == kDefaultCumulative) ZeroParameterValues(params);
        bool any = false;
        for (std::size_t i = 0; i + 4 <= params.size();) {
            const std::uint16_t code = static_cast<std::uint16_t>(params[i] << 8 | params[i + 1]);
            const std::size_t size = 4 + params[i + 3];
            if (code >= parameterPointer) {
                out.insert(out.end(), params.begin() + i, params.begin() + i + size);
                any = true;
            }
            i += size;
        }
        if (!any) return false;
    } else {
        return false;
    }
    PutBigEndian(&out[2], out.size() - 4, 2);
    return true;
}

bool ModeSense10Data(const DeviceConfig& config, bool llbaa, bool dbd, std::uint8_t pageControl,
                     std::uint8_t page, Bytes& out) {
    std::vector<std::uint8_t> pages;
    for (std::uint8_t p : Sorted(config.modePages)) {
        if (std::find(std::begin(kKnownModePages), std::end(kKnownModePages), p) != std::end(kKnownModePages)) {
            pages.push_back(p);
        }
    }
    if (pages.empty() || (page != 0x3F && !Has(pages, page))) return false;
    const bool changeable = pageControl == 1;

    out.assign(8, 0);
    if (config.peripheralType == 0) out[3] = config.readOnly ? 0x90 : 0x10;  // WP, DPOFUA
    if (config.modeBlockDescriptor && !dbd) {
        if (llbaa && config.blockCount > 0xFFFFFFFFull) {
            out[4] = 0x01;  // LONGLBA
            out.resize(8 + 16, 0);
            PutBigEndian(&out[8], changeable ? 0 : config.blockCount, 8);
            PutBigEndian(&out[20], changeable ? 0 : config.blockLength, 4);
        } else {
            out.resize(8 + 8, 0);
            const std::uint64_t blocks = std::min<std::uint64_t>(config.blockCount, 0xFFFFFFFFull);
            PutBigEndian(&out[8], changeable ? 0 : blocks, 4);
            PutBigEndian(&out[13], changeable ? 0 : config.blockLength, 3);
        }
        PutBigEndian(&out[6], out.size() - 8, 2);
    }
    for (std::uint8_t p : pages) {
        if (page != 0x3F && p != page) continue;
        const Bytes body = ModePageBody(config, p, changeable);
        out.insert(out.end(), body.begin(), body.end());
    }
    PutBigEndian(&out[0], out.size() - 2, 2);
    return true;
}

Bytes DefectData(const DeviceConfig& config, bool plist, bool glist) {
    Bytes out(4, 0);
    out[1] = static_cast<std::uint8_t>((plist ? 0x10 : 0) | (glist ? 0x08 : 0) | 0x05);
    // The list length is a 16-bit byte count: at most 8191 entries in all.
    std::uint32_t room = 0xFFFF / 8;
    auto append = [&](std::uint32_t count, std::uint32_t cylinderBase, std::uint32_t cylinderStep,
                      std::uint32_t headShift, std::uint32_t sectorStep) {
        for (std::uint32_t i = 0; i < count && room > 0; ++i, --room) {
            std::uint8_t e[8];
            PutBigEndian(&e[0], cylinderBase + i * cylinderStep, 3);
            e[3] = static_cast<std::uint8_t>((i + headShift) % 8);
            PutBigEndian(&e[4], (i * sectorStep + 7) % 1000, 4);
            out.insert(out.end(), e, e + 8);
        }
    };
    if (plist) append(config.primaryDefects, 100, 13, 0, 97);
    if (glist) append(config.grownDefects, 50, 29, 3, 53);
    PutBigEndian(&out[2], out.size() - 4, 2);
    return out;
}

}  // namespace sektra
