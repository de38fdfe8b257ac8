#pragma once
// The value of the first decoded field with a label, or "<absent>".
#include <string>

#include "decode/DecodedField.h"

namespace sektra {

inline std::wstring FieldValue(const DecodedFields& fields, unsigned labelId) {
    for (const DecodedField& field : fields) {
        if (field.labelId == labelId) return field.value;
    }
    return L"<absent>";
}

}  // namespace sektra
