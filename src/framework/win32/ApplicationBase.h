#pragma once
// The application object shared by Sektra and Setup: command-line arguments, the instance and
// language-module handles, resource strings, OEM text conversion and the message hub through
// which every dialog message reaches the filter and window objects.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "framework/win32/MessageRecord.h"

namespace sektra {

class MessageFilter;
class MessageWindow;

class ApplicationBase {
public:
    explicit ApplicationBase(HINSTANCE instance);
    virtual ~ApplicationBase();
    ApplicationBase(const ApplicationBase&) = delete;
    ApplicationBase& operator=(const ApplicationBase&) = delete;

    // The hub's lists. None of them owns what it lists; each object removes itself. All return 0.
    virtual int AddDialog(HWND dialog);
    virtual int RemoveDialog(HWND dialog);
    virtual int AddFilter(MessageFilter* filter);
    virtual int RemoveFilter(MessageFilter* filter);
    virtual int AddWindow(MessageWindow* window);
    virtual int RemoveWindow(MessageWindow* window);
    virtual int GetDialogCount() const;
    virtual HWND GetDialogAt(int index) const;  // null when out of range

    virtual int GetArgCount() const;
    virtual std::wstring GetArg(int index) const;  // empty when out of range

    virtual HINSTANCE GetInstance() const;
    // The language module when one is loaded, else the executable: every dialog template,
    // menu, icon and string comes from here.
    virtual HINSTANCE GetResourceInstance() const;

    // The string into the one shared buffer (at most 511 characters, empty when missing).
    // The pointer is good until the next LoadString or GetModulePath: copy the text at once.
    virtual const wchar_t* LoadString(UINT id);
    // The executable's full path in the same shared buffer (empty on failure).
    virtual const wchar_t* GetModulePath();

    // Conversions with the OEM code page, the one devices' texts are in. 0, or -1 with an
    // empty output.
    virtual int WideToNarrow(const std::wstring& wide, std::string& narrow);
    virtual int NarrowToWide(const std::string& narrow, std::wstring& wide);

    // Hook before a dialog message is offered around; empty here.
    virtual void PreDispatch(MessageRecord& record);
    // Keyboard navigation for every registered dialog; true when one of them took the message.
    virtual bool TranslateDialogMessage(MSG* message);

    // Loads "<program path up to its last dot><language>", the language being the user's
    // LOCALE_SABBREVLANGNAME or the text after the first "/LANG:" argument. The module handle,
    // or null.
    virtual HMODULE LoadResourceModule();
    // Fills the arguments from the process command line once, split by the rules of
    // framework/CommandLine.h (upper-cased; only blanks separate; "quoted text" may hold
    // blanks). Always 0.
    virtual int ParseCommandLine();

    // Offers the record to every filter and then to every window object, without early stop;
    // the lists may change while it runs.
    void DispatchDialogMessage(MessageRecord& record);
    // GetMessageW until WM_QUIT (or an error); returns the last GetMessageW result.
    int RunMessageLoop();

protected:
    // Appends the arguments of `line` (a whole command line) as ParseCommandLine does.
    void SplitCommandLine(const std::wstring& line);

    std::vector<std::wstring> arguments;
    std::vector<HWND> dialogs;
    std::vector<MessageFilter*> filters;
    std::vector<MessageWindow*> windows;
    HINSTANCE instance;
    HMODULE resourceModule = nullptr;
    wchar_t stringBuffer[512] = {};
};

// The one application object of the process: set by the program right after constructing it,
// cleared after deleting it. Window, dialog and filter objects reach the hub through it.
extern ApplicationBase* theApplication;

}  // namespace sektra
