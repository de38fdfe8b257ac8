#pragma once
// An object (not a window) that sees every dialog message of the process before any window
// object does. It registers itself with the application's hub for its whole life.
#include "framework/win32/MessageRecord.h"

namespace sektra {

class MessageFilter {
public:
    MessageFilter();
    virtual ~MessageFilter();
    MessageFilter(const MessageFilter&) = delete;
    MessageFilter& operator=(const MessageFilter&) = delete;

    virtual void OnFilterMessage(MessageRecord& record);
};

}  // namespace sektra
