// Setup's process entry.
#include <windows.h>

#include <new>

#include "setup/win32/SetupApplication.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    sektra::SetupApplication* application = nullptr;
    try {
        application = new sektra::SetupApplication(instance);
        sektra::theApplication = application;
        // Every way out ends with exit code 0, also a start-up that stops early.
        if (application->InitInstance() == 0) application->RunMessageLoop();
    } catch (const std::bad_alloc&) {
        MessageBoxW(nullptr, L"メモリー確保失敗", L"メモリーの確保が出来ませんでした。終了します。",
                    MB_SYSTEMMODAL | MB_ICONSTOP);
    }
    delete application;
    sektra::theApplication = nullptr;
    return 0;
}
