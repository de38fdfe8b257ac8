#pragma once
// What Windows itself knows about a disk: the partitions of its drive layout, the mounted
// volumes that lie on it, and whether the system volume is one of them. Natively, and for
// devices Windows does not number (the emulated ones), nothing is known; the check of the
// disk's own first blocks then decides alone.
#include "device/Device.h"

namespace sektra {

struct WindowsDiskUse {
    bool known = false;           // the disk number was obtained
    bool holdsSystemVolume = false;
    unsigned volumes = 0;         // mounted volumes with an extent on the disk
    unsigned layoutPartitions = 0;  // partitions in use in IOCTL_DISK_GET_DRIVE_LAYOUT_EX
};

WindowsDiskUse QueryWindowsDiskUse(Device& device);

}  // namespace sektra
