#pragma once
// One field read out of a device's reply: the label is a string of the language module (by
// number), the value is the text the detail list shows, units included. Decoders only read
// the bytes they are given; a field the reply does not reach is left out, never guessed.
#include <string>
#include <vector>

namespace sektra {

struct DecodedField {
    unsigned labelId;
    std::wstring value;
};

using DecodedFields = std::vector<DecodedField>;

}  // namespace sektra
