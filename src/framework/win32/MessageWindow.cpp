#include "framework/win32/MessageWindow.h"

#include "framework/win32/ApplicationBase.h"

namespace sektra {

MessageWindow::MessageWindow() {
    if (theApplication) theApplication->AddWindow(this);
}

MessageWindow::~MessageWindow() {
    if (theApplication) theApplication->RemoveWindow(this);
}

void MessageWindow::HandleMessage(MessageRecord& record) {
    BaseMessage(record);
    OnMessage(record);
}

void MessageWindow::OnMessage(MessageRecord&) {}

void MessageWindow::BaseMessage(MessageRecord&) {}

}  // namespace sektra
