#pragma once
// Decoded fields looked up by label, for tests that check a few fields of a reply.
#include <string>
#include <vector>

#include "decode/DecodedField.h"

namespace sektra {

// The value of the field with `labelId`, or "(absent)".
inline std::wstring ValueOf(const DecodedFields& fields, unsigned labelId) {
    for (const DecodedField& f : fields) {
        if (f.labelId == labelId) return f.value;
    }
    return L"(absent)";
}

inline std::vector<unsigned> LabelsOf(const DecodedFields& fields) {
    std::vector<unsigned> labels;
    for (const DecodedField& f : fields) labels.push_back(f.labelId);
    return labels;
}

}  // namespace sektra
