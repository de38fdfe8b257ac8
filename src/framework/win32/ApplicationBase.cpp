#include "framework/win32/ApplicationBase.h"

#include <algorithm>

#include "framework/CodePage.h"
#include "framework/CommandLine.h"
#include "framework/win32/MessageFilter.h"
#include "framework/win32/MessageWindow.h"

namespace sektra {

ApplicationBase* theApplication = nullptr;

namespace {

template <typename T>
void AddUnique(std::vector<T>& list, T item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

template <typename T>
void RemoveItem(std::vector<T>& list, T item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

ApplicationBase::ApplicationBase(HINSTANCE instance) : instance(instance) {}

ApplicationBase::~ApplicationBase() {
    if (resourceModule) FreeLibrary(resourceModule);
}

int ApplicationBase::AddDialog(HWND dialog) {
    AddUnique(dialogs, dialog);
    return 0;
}

int ApplicationBase::RemoveDialog(HWND dialog) {
    RemoveItem(dialogs, dialog);
    return 0;
}

int ApplicationBase::AddFilter(MessageFilter* filter) {
    AddUnique(filters, filter);
    return 0;
}

int ApplicationBase::RemoveFilter(MessageFilter* filter) {
    RemoveItem(filters, filter);
    return 0;
}

int ApplicationBase::AddWindow(MessageWindow* window) {
    AddUnique(windows, window);
    return 0;
}

int ApplicationBase::RemoveWindow(MessageWindow* window) {
    RemoveItem(windows, window);
    return 0;
}

int ApplicationBase::GetDialogCount() const { return static_cast<int>(dialogs.size()); }

HWND ApplicationBase::GetDialogAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= dialogs.size()) return nullptr;
    return dialogs[static_cast<std::size_t>(index)];
}

int ApplicationBase::GetArgCount() const { return static_cast<int>(arguments.size()); }

std::wstring ApplicationBase::GetArg(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= arguments.size()) return std::wstring();
    return arguments[static_cast<std::size_t>(index)];
}

HINSTANCE ApplicationBase::GetInstance() const { return instance; }

HINSTANCE ApplicationBase::GetResourceInstance() const { return resourceModule ? resourceModule : instance; }

const wchar_t* ApplicationBase::LoadString(UINT id) {
    stringBuffer[0] = L'\0';
    const int length = ::LoadStringW(GetResourceInstance(), id, stringBuffer, 512);
    if (length <= 0) stringBuffer[0] = L'\0';
    return stringBuffer;
}

const wchar_t* ApplicationBase::GetModulePath() {
    const DWORD length = GetModuleFileNameW(nullptr, stringBuffer, 512);
    // A path cut at the buffer's end is no path: report it as a failure.
    if (length == 0 || length >= 512) stringBuffer[0] = L'\0';
    return stringBuffer;
}

int ApplicationBase::WideToNarrow(const std::wstring& wide, std::string& narrow) {
    narrow = WideToMultiByte(CodePage::Oem, wide);
    return wide.empty() || !narrow.empty() ? 0 : -1;
}

int ApplicationBase::NarrowToWide(const std::string& narrow, std::wstring& wide) {
    wide = MultiByteToWide(CodePage::Oem, narrow.data(), narrow.size());
    return narrow.empty() || !wide.empty() ? 0 : -1;
}

void ApplicationBase::PreDispatch(MessageRecord&) {}

bool ApplicationBase::TranslateDialogMessage(MSG* message) {
    // By index: IsDialogMessageW runs the dialog's handlers, which may close dialogs and so
    // change the list under the walk.
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        if (IsDialogMessageW(dialogs[i], message)) return true;
    }
    return false;
}

void ApplicationBase::DispatchDialogMessage(MessageRecord& record) {
    PreDispatch(record);
    // By index, with the size read again each time: a handler may add or remove objects.
    for (std::size_t i = 0; i < filters.size(); ++i) filters[i]->OnFilterMessage(record);
    for (std::size_t i = 0; i < windows.size(); ++i) windows[i]->HandleMessage(record);
}

int ApplicationBase::RunMessageLoop() {
    MSG message;
    int result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (TranslateDialogMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return result;
}

HMODULE ApplicationBase::LoadResourceModule() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;  // none, or cut at the buffer's end

    wchar_t language[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, language, 8);
    const std::wstring name =
        ResourceModulePath(std::wstring(path, length), SelectLanguage(arguments, language));
    if (name.empty()) return nullptr;
    resourceModule = LoadLibraryExW(name.c_str(), nullptr, 0);
    return resourceModule;
}

int ApplicationBase::ParseCommandLine() {
    if (!arguments.empty()) return 0;
    const wchar_t* commandLine = GetCommandLineW();
    if (commandLine != nullptr) SplitCommandLine(commandLine);
    return 0;
}

void ApplicationBase::SplitCommandLine(const std::wstring& line) {
    // Qualified: the member ParseCommandLine hides the free function here.
    const std::vector<std::wstring> split = sektra::ParseCommandLine(line);
    arguments.insert(arguments.end(), split.begin(), split.end());
}

}  // namespace sektra
