// Windows' own view of a disk: its number, its drive layout, and which mounted volumes (the
// system volume among them) have extents on it.
#include "device/WindowsDiskUse.h"

#include <windows.h>
#include <winioctl.h>

#include <string>
#include <vector>

namespace sektra {

namespace {

// Extents of one volume: a spanned or mirrored volume lists several disks, so room for many.
constexpr DWORD kExtentsBufferSize = 4096;
// Enough for 128 partitions, the most a GPT normally holds.
constexpr DWORD kLayoutBufferSize = sizeof(DRIVE_LAYOUT_INFORMATION_EX) + 128 * sizeof(PARTITION_INFORMATION_EX);

// Every disk a volume lies on; empty when the volume cannot be asked.
std::vector<DWORD> VolumeDisks(const std::wstring& volumeName) {
    std::vector<DWORD> disks;
    // The volume's device is opened without the trailing backslash (with it, the root folder
    // would be opened) and without access rights, which is enough for the extents query.
    std::wstring path = volumeName;
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) return disks;
    std::vector<unsigned char> buffer(kExtentsBufferSize);
    DWORD returned = 0;
    if (DeviceIoControl(handle, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, buffer.data(),
                        kExtentsBufferSize, &returned, nullptr) &&
        returned >= sizeof(VOLUME_DISK_EXTENTS)) {
        const auto* extents = reinterpret_cast<const VOLUME_DISK_EXTENTS*>(buffer.data());
        const DWORD room = (returned - offsetof(VOLUME_DISK_EXTENTS, Extents)) / sizeof(DISK_EXTENT);
        const DWORD count = extents->NumberOfDiskExtents < room ? extents->NumberOfDiskExtents : room;
        for (DWORD i = 0; i < count; ++i) disks.push_back(extents->Extents[i].DiskNumber);
    }
    CloseHandle(handle);
    return disks;
}

bool Contains(const std::vector<DWORD>& disks, DWORD disk) {
    for (DWORD d : disks) {
        if (d == disk) return true;
    }
    return false;
}

std::wstring SystemVolumeName() {
    wchar_t folder[MAX_PATH], mountPoint[MAX_PATH], volume[MAX_PATH];
    if (GetSystemDirectoryW(folder, MAX_PATH) == 0) return L"";
    if (!GetVolumePathNameW(folder, mountPoint, MAX_PATH)) return L"";
    if (!GetVolumeNameForVolumeMountPointW(mountPoint, volume, MAX_PATH)) return L"";
    return volume;
}

unsigned LayoutPartitions(Device& device) {
    std::vector<unsigned char> buffer(kLayoutBufferSize);
    std::uint32_t returned = 0;
    if (!device.QueryControl(IOCTL_DISK_GET_DRIVE_LAYOUT_EX, buffer.data(), kLayoutBufferSize, &returned) ||
        returned < offsetof(DRIVE_LAYOUT_INFORMATION_EX, PartitionEntry)) {
        return 0;
    }
    const auto* layout = reinterpret_cast<const DRIVE_LAYOUT_INFORMATION_EX*>(buffer.data());
    const DWORD room = (returned - offsetof(DRIVE_LAYOUT_INFORMATION_EX, PartitionEntry)) /
                       sizeof(PARTITION_INFORMATION_EX);
    const DWORD count = layout->PartitionCount < room ? layout->PartitionCount : room;
    unsigned used = 0;
    for (DWORD i = 0; i < count; ++i) {
        const PARTITION_INFORMATION_EX& entry = layout->PartitionEntry[i];
        // An MBR layout always lists four entries per table; unused ones have type 0.
        if (entry.PartitionStyle == PARTITION_STYLE_MBR && entry.Mbr.PartitionType == PARTITION_ENTRY_UNUSED) {
            continue;
        }
        if (entry.PartitionLength.QuadPart != 0) ++used;
    }
    return used;
}

}  // namespace

WindowsDiskUse QueryWindowsDiskUse(Device& device) {
    WindowsDiskUse use;
    STORAGE_DEVICE_NUMBER number = {};
    std::uint32_t returned = 0;
    if (!device.QueryControl(IOCTL_STORAGE_GET_DEVICE_NUMBER, &number, sizeof(number), &returned) ||
        returned < sizeof(number) || number.DeviceType != FILE_DEVICE_DISK) {
        return use;
    }
    use.known = true;
    use.layoutPartitions = LayoutPartitions(device);

    const std::wstring systemVolume = SystemVolumeName();
    wchar_t name[MAX_PATH];
    HANDLE find = FindFirstVolumeW(name, MAX_PATH);
    if (find == INVALID_HANDLE_VALUE) return use;
    do {
        if (!Contains(VolumeDisks(name), number.DeviceNumber)) continue;
        ++use.volumes;
        if (!systemVolume.empty() && _wcsicmp(name, systemVolume.c_str()) == 0) use.holdsSystemVolume = true;
    } while (FindNextVolumeW(find, name, MAX_PATH));
    FindVolumeClose(find);
    // The system volume may not be enumerable (a restricted token); ask it directly.
    if (!use.holdsSystemVolume && !systemVolume.empty() &&
        Contains(VolumeDisks(systemVolume), number.DeviceNumber)) {
        use.holdsSystemVolume = true;
    }
    return use;
}

}  // namespace sektra
