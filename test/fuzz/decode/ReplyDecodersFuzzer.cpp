// Feeds every reply decoder a malformed or truncated reply: the first input byte picks the
// decoder and, for the page decoders, may force the page code; the rest is the reply, copied
// into a buffer of exactly its size so that AddressSanitizer reports any read past its end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decode/Inquiry.h"
#include "decode/LogPages.h"
#include "decode/ModePages.h"

namespace {

// Page codes the decoders know, so that most inputs reach a decoder's body.
const std::uint8_t kVpdPages[] = {0x80, 0x83, 0xB0, 0xB1, 0xB2};
const std::uint8_t kLogPages[] = {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F};
const std::uint8_t kModePages[] = {0x08, 0x0A, 0x1C};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t choice = data[0];
    std::vector<std::uint8_t> reply(data + 1, data + size);
    const bool force = (choice & 0x80) != 0 && !reply.empty();
    const unsigned pick = (choice >> 3) & 0x0F;
    // An empty vector's data() may be null; the decoders take null with length 0 too.
    std::uint8_t* bytes = reply.empty() ? nullptr : reply.data();
    switch (choice & 0x07) {
        case 0: sektra::DecodeStandardInquiry(bytes, reply.size()); break;
        case 1:
            if (force && reply.size() > 1) reply[1] = kVpdPages[pick % 5];
            sektra::DecodeVpdPage(bytes, reply.size());
            break;
        case 2:
            if (force) reply[0] = static_cast<std::uint8_t>((reply[0] & 0xC0) | kLogPages[pick % 9]);
            sektra::DecodeLogPage(bytes, reply.size());
            break;
        case 3:
            if (force) reply[0] = static_cast<std::uint8_t>((reply[0] & 0xC0) | kModePages[pick % 3]);
            sektra::DecodeModePage(bytes, reply.size());
            break;
        default: sektra::DecodeModeSense10(bytes, reply.size()); break;
    }
    return 0;
}
