#pragma once
// Drives Setup's dialogs: menu, then agreement, folder and install, or the removal.
#include <memory>
#include <string>

#include "framework/win32/MessageFilter.h"

namespace sektra {

class SetupMenuDialog;

class SetupController : public MessageFilter {
public:
    SetupController();
    ~SetupController() override;

    // 1 when a removal has been carried out (Setup then starts its clean-up and ends), else 0.
    virtual int Run();

    // The install folder that the removal took away, for the clean-up (empty when none).
    const std::wstring& GetRemovedFolder() const { return removedFolder; }

private:
    int Uninstall();
    int Quit();

    std::unique_ptr<SetupMenuDialog> menuDialog;
    std::wstring removedFolder;
};

}  // namespace sektra
