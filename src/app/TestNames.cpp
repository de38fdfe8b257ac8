#include "app/TestNames.h"

namespace sektra {

const wchar_t* TestEnglishName(ItemCode code) {
    switch (ItemTest(code)) {
        case kTestCacheHit: return L"Cache Hit Test";
        case kTestSeek: return L"Seek Test";
        case kTestSequentialRead: return L"Sequential Read Test";
        case kTestSequentialWrite: return L"Sequential Write Test";
        case kTestRandomRead: return L"Random Read Test";
        case kTestRandomWrite: return L"Random Write Test";
        case kTestReadBuffer: return L"Read Buffer Test";
        case kTestWriteBuffer: return L"Write Buffer Test";
        default: return nullptr;
    }
}

}  // namespace sektra
