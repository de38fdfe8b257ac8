#pragma once
// A window object that receives dialog messages from the hub for its whole life.
// HandleMessage runs BaseMessage (the framework's part) and then OnMessage (the class's part);
// both see every dialog message of the process and act only on their own window's records.
// The object joins the hub of `theApplication` when it is constructed, so construct window
// objects only after the application object exists.
#include "framework/win32/MessageRecord.h"
#include "framework/win32/Window.h"

namespace sektra {

class MessageWindow : public Window {
public:
    MessageWindow();
    ~MessageWindow() override;

    virtual void HandleMessage(MessageRecord& record);
    virtual void OnMessage(MessageRecord& record);
    virtual void BaseMessage(MessageRecord& record);
};

}  // namespace sektra
