#pragma once
// The demo set, opened the way the Document opens it, for the browser tests.
#include <memory>
#include <vector>

#include "app/DeviceTree.h"
#include "device/DeviceEnumeration.h"
#include "emulator/DemoSet.h"

namespace sektra {

struct OpenedDemoSet {
    std::unique_ptr<EmulatedPort> port = MakeDemoPort(TimeMode::Zero);
    std::vector<std::unique_ptr<Device>> disks = EnumerateDevices(kDiskInterfaceClass, port.get());
    std::vector<std::unique_ptr<Device>> cdRoms = EnumerateDevices(kCdRomInterfaceClass, port.get());
    std::vector<std::unique_ptr<Device>> changers = EnumerateDevices(kMediumChangerInterfaceClass, port.get());

    DeviceLists Lists() const {
        DeviceLists lists;
        for (const auto& d : disks) lists.disks.push_back(d.get());
        for (const auto& d : cdRoms) lists.cdRoms.push_back(d.get());
        for (const auto& d : changers) lists.changers.push_back(d.get());
        return lists;
    }
};

}  // namespace sektra
