#include "app/win32/MessageBoxes.h"

#include "framework/win32/ApplicationBase.h"

namespace sektra {

namespace {
MessageBoxHandler messageBoxHandler = nullptr;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (messageBoxHandler != nullptr) return messageBoxHandler(owner, text.c_str(), caption.c_str(), type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    const MessageBoxHandler previous = messageBoxHandler;
    messageBoxHandler = handler;
    return previous;
}

std::wstring ResourceString(UINT id) {
    if (theApplication == nullptr) return std::wstring();
    return std::wstring(theApplication->LoadString(id));
}

}  // namespace sektra
