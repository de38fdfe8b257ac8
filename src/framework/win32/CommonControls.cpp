#include "framework/win32/CommonControls.h"

#include <commctrl.h>

namespace sektra {

void EnsureCommonControls(DWORD classes, bool& ready) {
    if (ready) return;
    HMODULE library = LoadLibraryW(L"COMCTL32.DLL");
    if (library == nullptr) return;
    // InitCommonControlsEx is missing from the oldest comctl32; the plain call registers all.
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX request{sizeof(INITCOMMONCONTROLSEX), classes};
    if (initEx == nullptr || !initEx(&request)) InitCommonControls();
    FreeLibrary(library);
    ready = true;
}

}  // namespace sektra
