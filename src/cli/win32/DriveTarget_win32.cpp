// \\.\PhysicalDriveN and \\.\CdRomN: a disk or CD-ROM drive opened by its path and reached
// through the same pass-through port as the device tree's devices.
#include <windows.h>

#include <cctype>
#include <string>

#include "cli/Targets.h"
#include "device/win32/Win32DevicePort.h"

namespace sektra {
namespace {

// Drives probed by list; Windows numbers them from 0 without gaps in practice, but a removed
// USB disk leaves one, so every number up to here is tried.
constexpr int kListedDrives = 16;

// The Win32 port for one path: every member of every class is that device.
class DrivePathPort : public Win32DevicePort {
public:
    explicit DrivePathPort(std::wstring path) : path_(std::move(path)) {}
    PortHandle Open(int, std::uint32_t) override { return OpenPath(path_.c_str()); }

private:
    std::wstring path_;
};

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0,
                   nullptr);
    std::string message;
    if (text != nullptr) {
        for (const wchar_t* p = text; *p; ++p) message += (*p >= 0x20 && *p < 0x7F) ? static_cast<char>(*p) : ' ';
        LocalFree(text);
    }
    while (!message.empty() && (message.back() == ' ' || message.back() == '.')) message.pop_back();
    if (code == ERROR_ACCESS_DENIED) message += " (raw devices open only from an administrator console)";
    return message.empty() ? "error " + std::to_string(code) : message;
}

// "PhysicalDrive7" -> class 0, "CdRom1" -> class 1; false for anything else.
bool ParseDriveName(const std::string& rest, int* interfaceClass) {
    static const struct {
        const char* name;
        int interfaceClass;
    } kKinds[] = {{"physicaldrive", 0}, {"cdrom", 1}};
    for (const auto& kind : kKinds) {
        const std::size_t length = std::char_traits<char>::length(kind.name);
        if (rest.size() <= length || rest.size() > length + 3) continue;
        bool same = true;
        for (std::size_t i = 0; i < length && same; ++i) {
            same = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[i]))) == kind.name[i];
        }
        if (same && rest.find_first_not_of("0123456789", length) == std::string::npos) {
            *interfaceClass = kind.interfaceClass;
            return true;
        }
    }
    return false;
}

OpenStatus OpenDrive(const std::string& rest, const TargetContext&, Target* target, std::string* error) {
    const std::string name = "\\\\.\\" + rest;
    int interfaceClass = 0;
    if (!ParseDriveName(rest, &interfaceClass)) {
        *error = name + " is no drive this program opens (\\\\.\\PhysicalDriveN or \\\\.\\CdRomN)";
        return OpenStatus::Malformed;
    }
    target->interfaceClass = interfaceClass;
    target->ownPort = std::make_unique<DrivePathPort>(std::wstring(name.begin(), name.end()));
    target->device = std::make_unique<Device>(target->ownPort.get());
    if (target->device->Open(interfaceClass, 0) != 0) {
        *error = "cannot open " + name + ": " + SystemMessage(GetLastError());
        return OpenStatus::Unavailable;
    }
    return OpenStatus::Opened;
}

void ListDrives(const TargetContext&, std::vector<std::string>* names) {
    for (const char* kind : {"PhysicalDrive", "CdRom"}) {
        for (int i = 0; i < kListedDrives; ++i) {
            const std::string name = std::string("\\\\.\\") + kind + std::to_string(i);
            const PortHandle handle = Win32DevicePort::OpenPath(std::wstring(name.begin(), name.end()).c_str());
            if (handle == kInvalidPortHandle) continue;
            CloseHandle(reinterpret_cast<HANDLE>(handle));
            names->push_back(name);
        }
    }
}

}  // namespace

const TargetScheme kWindowsDriveScheme = {"\\\\.\\", true, OpenDrive, ListDrives};

}  // namespace sektra
