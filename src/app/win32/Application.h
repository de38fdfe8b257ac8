#pragma once
// Sektra's application object: one instance per machine, the language module, the checks of
// the system, the Document, and with "/DEMO" the emulated devices in place of the real ones.
#include <windows.h>

#include <memory>

#include "framework/win32/ApplicationBase.h"

namespace sektra {

class DevicePort;
class Document;

class Application : public ApplicationBase {
public:
    explicit Application(HINSTANCE instance);
    ~Application() override;

    // The start-up; 0, or -1 after the reason was shown (nothing is shown for a second instance).
    virtual int InitInstance();
    virtual int CreateDocument();
    virtual int CheckEnvironment();

    Document* GetDocument() const { return document; }
    bool IsDemo() const;

private:
    Document* document = nullptr;
    std::unique_ptr<DevicePort> demoPort;
};

// The process entry's work: construct, start, run, delete; the exit code. An allocation
// failure anywhere is reported and ends the process with 0.
int RunSektra(HINSTANCE instance);

}  // namespace sektra
