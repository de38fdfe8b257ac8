#pragma once
// One row of the detail list: label, value and remark columns and the row's item code
// (0 for rows that open nothing). A row that cannot open a test says why in `refusal`.
#include <string>
#include <vector>

#include "app/ItemCode.h"

namespace sektra {

struct DetailRow {
    std::wstring label;
    std::wstring value;
    std::wstring remark;
    ItemCode code = 0;
    std::wstring refusal;
};

using DetailRows = std::vector<DetailRow>;

}  // namespace sektra
