#include "app/win32/Application.h"

#include <new>
#include <string>

#include "app/win32/Document.h"
#include "app/win32/MessageBoxes.h"
#include "device/DevicePort.h"
#include "emulator/DemoSet.h"
#include "framework/win32/AdminSystemInfo.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

// Held for the life of the process: it is what keeps a second instance out.
HANDLE singleInstanceMutex = nullptr;
const wchar_t kMutexName[] = L"Sektra2";

bool EqualsIgnoringAsciiCase(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == L'\0';
}

}  // namespace

Application::Application(HINSTANCE instance) : ApplicationBase(instance) {}

Application::~Application() {
    delete document;
    document = nullptr;
    if (demoPort) SetDefaultDevicePort(nullptr);
    demoPort.reset();
    if (singleInstanceMutex != nullptr) {
        CloseHandle(singleInstanceMutex);
        singleInstanceMutex = nullptr;
    }
}

bool Application::IsDemo() const {
    for (int i = 1; i < GetArgCount(); ++i) {
        if (GetArg(i) == L"/DEMO") return true;
    }
    return false;
}

int Application::InitInstance() {
    HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName);
    if (existing != nullptr) {
        CloseHandle(existing);
        return -1;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    singleInstanceMutex = CreateMutexW(&attributes, TRUE, kMutexName);
    if (singleInstanceMutex == nullptr) return -1;

    if (ParseCommandLine() > 0) return -1;
    if (LoadResourceModule() == nullptr) {
        ShowMessageBox(nullptr, L"Resource DLL not found", L"Initialize Error", MB_ICONHAND);
        return -1;
    }
    if (CheckEnvironment() != 0) return -1;
    if (IsDemo()) {
        // The emulated devices really take their time, so the demo feels like hardware.
        demoPort = MakeDemoPort(TimeMode::Real);
        SetDefaultDevicePort(demoPort.get());
    }
    if (CreateDocument() != 0) {
        ShowMessageBox(nullptr, L"Document Initialize Error", L"Initialize Error", MB_ICONHAND);
        return -1;
    }
    return 0;
}

int Application::CheckEnvironment() {
    AdminSystemInfo system;
    UINT problem = 0;
    if (system.GetPlatformId() != VER_PLATFORM_WIN32_NT) problem = IDS_NEED_NT;
    else if (system.GetMajorVersion() <= 4) problem = IDS_NEED_WINDOWS_2000;
    else if (!EqualsIgnoringAsciiCase(system.GetUserLanguage(), L"jpn")) problem = IDS_NEED_JAPANESE;
    else if (!system.IsAdministrator()) problem = IDS_NEED_ADMINISTRATOR;
    if (problem == 0) return 0;
    ShowMessageBox(nullptr, ResourceString(problem), ResourceString(IDS_ENVIRONMENT_CAPTION), MB_ICONHAND);
    return -1;
}

int Application::CreateDocument() {
    document = new Document;
    return document->Initialize() != 0 ? -1 : 0;
}

int RunSektra(HINSTANCE instance) {
    Application* application = nullptr;
    try {
        application = new Application(instance);
        theApplication = application;
        if (application->InitInstance() != 0) {
            delete application;
            theApplication = nullptr;
            return -1;
        }
        application->RunMessageLoop();
        delete application;
        theApplication = nullptr;
        return 0;
    } catch (const std::bad_alloc&) {
        MessageBoxW(nullptr, L"メモリー確保失敗", L"メモリーの確保が出来ませんでした。終了します。",
                    MB_SYSTEMMODAL | MB_ICONHAND);
        delete application;
        theApplication = nullptr;
        return 0;
    }
}

}  // namespace sektra
