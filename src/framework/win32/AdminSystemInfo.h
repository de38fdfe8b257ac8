#pragma once
#include "framework/win32/SystemInfo.h"

namespace sektra {

class AdminSystemInfo : public SystemInfo {
public:
    // Whether the user is a member of the built-in Administrators group: an access check of
    // the user's token against a private descriptor that grants access to that group only.
    // Any failing step gives false.
    virtual bool IsAdministrator();
};

}  // namespace sektra
