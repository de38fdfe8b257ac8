#pragma once
// The browser's texts from the loaded language module.
#include "app/TextSource.h"

namespace sektra {

class ModuleTexts : public TextSource {
public:
    std::wstring String(unsigned id) const override;
};

}  // namespace sektra
