#include "setup/win32/SetupApplication.h"

#include "framework/win32/AdminSystemInfo.h"
#include "setup/win32/SetupController.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/StartSelfDelete.h"

namespace sektra {

namespace {

const wchar_t* const kMutexName = L"SektraSetup";

bool EqualsIgnoringAsciiCase(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'a' && x <= L'z') x = static_cast<wchar_t>(x - 32);
        if (y >= L'a' && y <= L'z') y = static_cast<wchar_t>(y - 32);
        if (x != y) return false;
    }
    return i == a.size() && b[i] == L'\0';
}

}  // namespace

SetupApplication::SetupApplication(HINSTANCE instance) : ApplicationBase(instance) {}

SetupApplication::~SetupApplication() {
    controller.reset();
    if (batchThread != nullptr) {
        // ResumeThread gives the suspend count before the call: resume until it was 1 or less.
        DWORD previous;
        do {
            previous = ResumeThread(batchThread);
        } while (previous != static_cast<DWORD>(-1) && previous > 1);
        CloseHandle(batchThread);
    }
    if (batchProcess != nullptr) CloseHandle(batchProcess);
    if (singleInstanceMutex != nullptr) CloseHandle(singleInstanceMutex);
}

int SetupApplication::InitInstance() {
    if (HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
        CloseHandle(existing);
        return -1;
    }
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    singleInstanceMutex = CreateMutexW(&attributes, TRUE, kMutexName);
    if (singleInstanceMutex == nullptr) return -1;
    if (ParseCommandLine() > 0) return -1;
    if (CheckEnvironment() != 0) return -1;
    return CreateDocument();
}

int SetupApplication::CheckEnvironment() {
    AdminSystemInfo system;
    int failure = 0;
    if (!system.IsNT()) {
        failure = kTextNotNt;
    } else if (system.GetMajorVersion() <= 4) {
        failure = kTextTooOld;
    } else if (!EqualsIgnoringAsciiCase(system.GetUserLanguage(), L"JPN")) {
        failure = kTextNotJapanese;
    } else if (!system.IsAdministrator()) {
        failure = kTextNotAdministrator;
    }
    if (failure == 0) return 0;
    ShowSetupMessage(nullptr, failure, kTextInitializeError, MB_ICONSTOP);
    return -1;
}

int SetupApplication::CreateDocument() {
    controller = std::make_unique<SetupController>();
    const int result = controller->Run();
    if (result < 0) return -1;
    if (result == 1) {
        StartSelfDelete();
        return 1;
    }
    return 0;
}

void SetupApplication::StartSelfDelete() {
    const std::wstring executable = GetModulePath();
    // Only the installed copy deletes itself; a Setup run from anywhere else has nothing left
    // to clean up, the removal steps took the install folder already.
    if (RunsFromInstallFolder(executable, controller->GetRemovedFolder())) {
        SystemInfo system;
        PROCESS_INFORMATION process;
        if (StartCleanupBatch(executable, system.GetTempFolder(), system.GetSystemFolder(), process) != 0) {
            ShowSetupMessage(nullptr, kTextBatchFailed, kTextBatchFailedTitle, MB_ICONERROR);
            return;
        }
        batchProcess = process.hProcess;
        batchThread = process.hThread;
    }
    ShowSetupMessage(nullptr, kTextRemoved, kTextRemovedTitle, MB_ICONINFORMATION);
    PostQuitMessage(0);
}

}  // namespace sektra
