#pragma once
#include <string>
#include <vector>

namespace sektra {

// Removal is asked for by an argument that is exactly "/u" in either case ("/uninstall" is not).
bool IsUninstallRequest(const std::vector<std::wstring>& arguments);

}  // namespace sektra
