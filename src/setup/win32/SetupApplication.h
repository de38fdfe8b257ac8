#pragma once
// Setup's application object: single instance, checks of the system, the dialog sequence, and
// after a removal the clean-up batch that deletes Setup itself.
#include <memory>

#include "framework/win32/ApplicationBase.h"

namespace sektra {

class SetupController;

class SetupApplication : public ApplicationBase {
public:
    explicit SetupApplication(HINSTANCE instance);
    // Lets the clean-up batch run (it was created suspended) and releases the mutex.
    ~SetupApplication() override;

    // 0: run the message loop (the quit message is already posted); non-zero: end at once.
    virtual int InitInstance();
    virtual int CreateDocument();
    virtual int CheckEnvironment();
    virtual void StartSelfDelete();

private:
    std::unique_ptr<SetupController> controller;
    HANDLE batchProcess = nullptr;
    HANDLE batchThread = nullptr;
    HANDLE singleInstanceMutex = nullptr;
};

}  // namespace sektra
