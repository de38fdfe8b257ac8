#pragma once
// Which decoded fields of each source a device summary shows first: the handful a storage
// engineer reads before anything else (identity, size, sector sizes, rotation, write cache,
// temperature, hours, wear and error counts). Label ids of the language module, in the order
// the summary should show them; a field a device does not report is simply absent.
#include <cstddef>

namespace sektra {

enum class DecodeSource { AtaIdentify, SmartAttributes, NvmeController, NvmeNamespace, NvmeHealth };

struct LabelList {
    const unsigned* ids;
    std::size_t count;
    const unsigned* begin() const { return ids; }
    const unsigned* end() const { return ids + count; }
};

LabelList FirstReadLabels(DecodeSource source);

}  // namespace sektra
