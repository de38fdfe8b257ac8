// Hands the fuzzer's bytes, exactly as long as it made them, to every decoder: a read one byte
// past the reply is an AddressSanitizer report. The first byte splits the input into the two
// SMART tables, so each can be short on its own.
#include <cstddef>
#include <cstdint>

#include "decode/AtaIdentifyFields.h"
#include "decode/NvmeFields.h"
#include "decode/SmartAttributes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sektra;
    DecodeAtaIdentify(data, size);
    CheckAtaIntegrity(data, size);
    DecodeNvmeIdentifyController(data, size);
    DecodeNvmeIdentifyNamespace(data, size);
    DecodeNvmeHealthLog(data, size);
    if (size == 0) return 0;
    const std::size_t split = data[0] * size / 256;
    const std::uint8_t* thresholds = data + 1 + split;
    DecodeSmartAttributes(data + 1, split, thresholds, size - 1 - split);
    for (const SmartAttribute& a : ParseSmartAttributes(data + 1, split, thresholds, size - 1 - split)) {
        SmartAttributeDetail(a);
    }
    return 0;
}
