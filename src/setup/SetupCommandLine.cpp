#include "setup/SetupCommandLine.h"

namespace sektra {

bool IsUninstallRequest(const std::vector<std::wstring>& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"/u" || argument == L"/U") return true;
    }
    return false;
}

}  // namespace sektra
