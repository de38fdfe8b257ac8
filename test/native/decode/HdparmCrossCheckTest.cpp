// The IDENTIFY blocks of the emulated ATA and SATA disks, read both by our decoder and by
// hdparm (--Istdin takes the block as hex words): every field both print must agree.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

#include "decode/AtaIdentifyFields.h"
#include "native/decode/DecodeTestSupport.h"
#include "device/DeviceEnumeration.h"
#include "emulator/DemoSet.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

constexpr const char* kHdparm = "/usr/sbin/hdparm";

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// hdparm's report of the block: "Name: value" lines keyed by name, and the feature lines
// ("*" in the first column when enabled) keyed by feature.
struct HdparmReport {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> features;  // feature -> enabled
};

HdparmReport RunHdparm(const std::uint8_t (&block)[512]) {
    char path[] = "/tmp/sektra-identify-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    close(fd);
    {
        std::ofstream out(path);
        char word[8];
        for (int i = 0; i < 256; ++i) {
            std::snprintf(word, sizeof word, "%04x", block[2 * i] | block[2 * i + 1] << 8);
            out << word << (i % 8 == 7 ? "\n" : " ");
        }
    }
    const std::string command = std::string(kHdparm) + " --Istdin < " + path;
    HdparmReport report;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        const std::string text = line;
        const auto colon = text.find(':');
        if (text.rfind("\t   *\t", 0) == 0 || text.rfind("\t    \t", 0) == 0) {
            report.features[Trim(text.substr(6))] = text[4] == '*';
        } else if (colon != std::string::npos) {
            report.values[Trim(text.substr(0, colon))] = Trim(text.substr(colon + 1));
        }
    }
    pipe.reset();
    std::remove(path);
    return report;
}

// The leading number of a text such as "4096 bytes".
std::wstring Number(const std::string& text) { return Widen(text.substr(0, text.find(' '))); }

std::wstring EnabledText(const HdparmReport& r, const std::string& feature) {
    const auto it = r.features.find(feature);
    if (it == r.features.end()) return L"非対応";
    return it->second ? L"対応 (有効)" : L"対応 (無効)";
}

TEST(HdparmCrossCheck, DemoAtaAndSataIdentifyBlocks) {
    if (access(kHdparm, X_OK) != 0) GTEST_SKIP() << "hdparm is missing (scripts/setup.sh installs it): no cross-check";
    auto port = MakeDemoPort(TimeMode::Zero);
    auto disks = EnumerateDevices(kDiskInterfaceClass, port.get());
    int checked = 0;
    for (auto& disk : disks) {
        std::uint8_t block[512];
        if (disk->IdentifyAta(block) != 0) continue;
        ++checked;
        const DecodedFields f = DecodeAtaIdentify(block, sizeof block);
        const HdparmReport r = RunHdparm(block);
        SCOPED_TRACE(r.values.count("Model Number") ? r.values.at("Model Number") : "no model");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_MODEL), Widen(r.values.at("Model Number")));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_SERIAL), Widen(r.values.at("Serial Number")));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_FIRMWARE), Widen(r.values.at("Firmware Revision")));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_LBA28), Widen(r.values.at("LBA    user addressable sectors")));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_LBA48), Widen(r.values.at("LBA48  user addressable sectors")));
        // Without word 106 hdparm prints one line for both sizes.
        const bool one = r.values.count("Logical/Physical Sector size") != 0;
        const std::string logical = one ? r.values.at("Logical/Physical Sector size") : r.values.at("Logical  Sector size");
        const std::string physical = one ? logical : r.values.at("Physical Sector size");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_LOGICAL_SECTOR), Number(logical) + L" バイト");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_PHYSICAL_SECTOR), Number(physical) + L" バイト");
        // hdparm gives the size in millions of bytes, truncated.
        const std::wstring capacity = ValueOf(f, IDS_FIELD_CAPACITY);
        const std::size_t bytesAt = capacity.find(L'(') + 1;
        const std::wstring megabytes = capacity.substr(bytesAt, capacity.find(L' ', bytesAt) - bytesAt - 6);
        EXPECT_EQ(megabytes, Number(r.values.at("device size with M = 1000*1000")));
        const std::string rotation = r.values.at("Nominal Media Rotation Rate");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_ROTATION),
                  rotation == "Solid State Device" ? L"回転しない媒体 (SSD)" : Widen(rotation) + L" rpm");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_SMART), EnabledText(r, "SMART feature set"));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_WRITE_CACHE), EnabledText(r, "Write cache"));
        EXPECT_EQ(ValueOf(f, IDS_FIELD_TRIM),
                  r.features.count("Data Set Management TRIM supported (limit unknown)") ? L"対応" : L"非対応");
        std::wstring generation = L"(absent)";
        if (r.features.count("Gen1 signaling speed (1.5Gb/s)")) generation = L"Gen1 (1.5 Gb/s)";
        if (r.features.count("Gen2 signaling speed (3.0Gb/s)")) generation = L"Gen2 (3.0 Gb/s)";
        if (r.features.count("Gen3 signaling speed (6.0Gb/s)")) generation = L"Gen3 (6.0 Gb/s)";
        EXPECT_EQ(ValueOf(f, IDS_FIELD_SATA), generation);
        EXPECT_EQ(r.values.at("Checksum"), "correct");
        EXPECT_EQ(ValueOf(f, IDS_FIELD_INTEGRITY), L"正常");
    }
    EXPECT_EQ(checked, 2);  // the ATA hard disk and the SATA flash disk
}

}  // namespace
}  // namespace sektra
