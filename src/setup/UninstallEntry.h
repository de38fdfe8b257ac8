#pragma once
// The registry entry through which Windows lists and removes the installation, and the
// decisions Setup takes from what an earlier install left there.
#include <cstdint>
#include <string>
#include <vector>

#include "SektraVersion.h"

namespace sektra {

// Under HKEY_LOCAL_MACHINE.
extern const wchar_t* const kUninstallKeyPath;

constexpr std::uint32_t kVersionMajor = SEKTRA_VERSION_MAJOR;
constexpr std::uint32_t kVersionMinor = SEKTRA_VERSION_MINOR;
constexpr std::uint32_t kVersionRevision = SEKTRA_VERSION_PATCH;
// major × 65536 + minor × 256 + revision, the form "VersionValue" is stored in.
constexpr std::uint32_t kVersionValue = (kVersionMajor << 16) | (kVersionMinor << 8) | kVersionRevision;
// Installations from this version on keep a settings file that Sektra still reads as it is.
constexpr std::uint32_t kSettingsCompatibleVersion = 0x20100;

struct UninstallValue {
    enum Type { String, Number };
    const wchar_t* name;
    Type type;
    std::wstring text;       // for String
    std::uint32_t number;    // for Number
};

// Every value of the entry, in the order they are written, for an install into `installFolder`.
std::vector<UninstallValue> UninstallValues(const std::wstring& installFolder);

// The label of the menu's install choice when an installation is registered: string 43
// (same version), 44 (older, or no version recorded) or 45 (newer); 0 when nothing is
// registered (neither a version nor a location), so the resource's own label stays.
int InstallLabelId(std::uint32_t registeredVersion, const std::wstring& registeredLocation);

// Whether the install writes a new settings file: always unless a 2.1.0-or-later installation
// is registered and its settings file exists.
bool NeedsFreshSettings(std::uint32_t registeredVersion, bool settingsFileExists);

}  // namespace sektra
