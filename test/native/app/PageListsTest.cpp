#include "app/PageLists.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PageLists, VpdAndLogListsReadOnlyWhatArrived) {
    struct Case {
        const char* what;
        bool log;
        Bytes reply;
        std::size_t received;
        Bytes pages;
    } const cases[] = {
        {"VPD list", false, {0, 0x00, 0, 3, 0x00, 0x80, 0x83}, 7, {0x00, 0x80, 0x83}},
        {"VPD list longer than what arrived", false, {0, 0x00, 0, 10, 0x00, 0x80, 0x83, 0x86}, 6, {0x00, 0x80}},
        {"VPD list longer than the reply", false, {0, 0x00, 0, 200, 0x83, 0x80, 0x83}, 7, {0x80, 0x83}},
        {"VPD header cut short", false, {0, 0x00, 0}, 3, {}},
        {"VPD page length 0", false, {0, 0x00, 0, 0, 0x80}, 5, {}},
        // Log list entries keep the low six bits: 42h is page 02h of the subpage scheme.
        {"log list", true, {0x00, 0, 0, 5, 0x00, 0x02, 0x42, 0x0D, 0x2F}, 9, {0x00, 0x02, 0x0D, 0x2F}},
        {"log header cut short", true, {0x00, 0}, 2, {}},
    };
    for (const Case& c : cases) {
        const Bytes got = c.log ? ListedLogPages(c.reply.data(), c.received) : ListedVpdPages(c.reply.data(), c.received);
        EXPECT_EQ(got, c.pages) << c.what;
    }
}

// MODE SENSE(10) data: the header with its mode data length and block descriptor length, then
// `body` (block descriptors and pages).
Bytes ModeData(const Bytes& body, std::uint16_t descriptorLength, int lengthAdjust = 0) {
    Bytes d = {0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(descriptorLength >> 8), static_cast<std::uint8_t>(descriptorLength)};
    d.insert(d.end(), body.begin(), body.end());
    const int dataLength = static_cast<int>(d.size()) - 2 + lengthAdjust;
    d[0] = static_cast<std::uint8_t>(dataLength >> 8);
    d[1] = static_cast<std::uint8_t>(dataLength);
    return d;
}

TEST(PageLists, ModePagesAfterTheBlockDescriptors) {
    const Bytes descriptor(8, 0x11);
    Bytes withPages = descriptor;
    const Bytes caching = {0x88, 0x02, 0xAA, 0xBB};                   // page 08h, PS bit set
    const Bytes control = {0x0A, 0x00};                               // page 0Ah, no parameters
    const Bytes subpage = {0x5C, 0x01, 0x00, 0x02, 0xCC, 0xDD};       // page 1Ch subpage 01h (SPF)
    const Bytes informational = {0x1C, 0x02, 0xEE, 0xFF};             // page 1Ch itself again
    for (const Bytes* page : {&caching, &control, &subpage, &informational}) withPages.insert(withPages.end(), page->begin(), page->end());
    const Bytes full = ModeData(withPages, 8);
    struct Case {
        const char* what;
        Bytes reply;
        std::size_t received;
        Bytes pages;
    } const cases[] = {
        {"pages of both formats, no repeats", full, full.size(), {0x08, 0x0A, 0x1C}},
        {"no block descriptors", ModeData(Bytes(caching), 0), 12, {0x08}},
        // Only what arrived counts: a page whose code and length arrived is listed.
        {"cut inside the first page", full, 8 + 8 + 3, {0x08}},
        {"cut inside a subpage header", full, 8 + 8 + 4 + 2 + 3, {0x08, 0x0A}},
        {"mode data length shorter than the reply", ModeData(withPages, 8, -10), full.size(), {0x08, 0x0A}},
        {"descriptors beyond the reply", ModeData(withPages, 0xFFF0), full.size(), {}},
        {"all-pages code is no page", ModeData(Bytes{0x3F, 0x00, 0x01, 0x00}, 0), 12, {0x01}},
        {"header cut short", full, 7, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ListedModePages(c.reply.data(), c.received), c.pages) << c.what;
}

}  // namespace
}  // namespace sektra
