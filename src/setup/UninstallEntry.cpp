#include "setup/UninstallEntry.h"

#include "setup/SetupPaths.h"

namespace sektra {

const wchar_t* const kUninstallKeyPath = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Sektra";

namespace {
const wchar_t* const kPublisher = L"Sektra Project";
}  // namespace

std::vector<UninstallValue> UninstallValues(const std::wstring& installFolder) {
    const std::wstring folder = WithTrailingBackslash(installFolder);
    using V = UninstallValue;
    return {
        {L"UninstallString", V::String, folder + L"Setup.exe /u", 0},
        {L"InstallLocation", V::String, folder, 0},
        {L"DisplayName", V::String, std::wstring(L"Sektra ") + SEKTRA_VERSION_WIDE, 0},
        {L"DisplayVersion", V::String, SEKTRA_VERSION_WIDE, 0},
        // The product has no web page: its help is the installed help file.
        {L"HelpLink", V::String, folder + L"Sektra.chm", 0},
        {L"Publisher", V::String, kPublisher, 0},
        {L"VersionMajor", V::Number, L"", kVersionMajor},
        {L"VersionMinor", V::Number, L"", kVersionMinor},
        {L"VersionRevision", V::Number, L"", kVersionRevision},
        {L"VersionValue", V::Number, L"", kVersionValue},
    };
}

int InstallLabelId(std::uint32_t registeredVersion, const std::wstring& registeredLocation) {
    if (registeredVersion == 0 && registeredLocation.empty()) return 0;
    if (registeredVersion == kVersionValue) return 43;
    return registeredVersion < kVersionValue ? 44 : 45;
}

bool NeedsFreshSettings(std::uint32_t registeredVersion, bool settingsFileExists) {
    return registeredVersion < kSettingsCompatibleVersion || !settingsFileExists;
}

}  // namespace sektra
