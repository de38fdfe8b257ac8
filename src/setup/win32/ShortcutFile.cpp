#include "setup/win32/ShortcutFile.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace sektra {

namespace {

// {00021401-0000-0000-C000-000000000046}, {000214F9-...} and {0000010B-...}: the shell link
// object, its wide interface and its persist-file interface.
const CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkInterface = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

int ShortcutFile::Save(const std::wstring& linkPath) {
    if (FAILED(CoInitialize(nullptr))) return -1;
    int result = -1;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                   kShellLinkInterface, reinterpret_cast<void**>(&link)))) {
        link->SetPath(targetPath.c_str());
        link->SetShowCmd(showCommand);
        link->SetWorkingDirectory(workingDirectory.c_str());
        link->SetHotkey(hotKey);
        link->SetIconLocation(iconPath.c_str(), iconIndex);
        link->SetDescription(description.c_str());
        link->SetArguments(arguments.c_str());
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Save(linkPath.c_str(), TRUE))) {
                savedPath = linkPath;
                result = 0;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}

}  // namespace sektra
