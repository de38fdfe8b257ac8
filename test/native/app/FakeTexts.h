#pragma once
// A language module stand-in: "S<id>" for every string, real-looking formats where the
// browser formats a number into the text.
#include <string>

#include "app/TextSource.h"

namespace sektra {

class FakeTexts : public TextSource {
public:
    std::wstring String(unsigned id) const override {
        switch (id) {
            case 9: return L"VPD %02Xh";
            case 11: return L"Log %02Xh";
            case 13: return L"Mode %02Xh";
            case 28: return L"%d KB";
            case 36: return L"Entry %d";
            case 601: return L"limit %d blocks";
            case 603: return L"buffer %d KB";
            default: return L"S" + std::to_wstring(id);
        }
    }
};

}  // namespace sektra
