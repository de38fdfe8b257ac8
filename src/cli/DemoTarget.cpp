// demo:N, the N-th device of the demo set as DemoDevices lists them (demo:0 is the ATA hard
// disk, demo:4 the CD-ROM drive, demo:5 the medium changer, later disks from demo:6 on).
#include <string>

#include "cli/Targets.h"
#include "emulator/DemoSet.h"

namespace sektra {
namespace {

// Class and member of the N-th demo device; false when the set has no N-th device.
bool DemoMember(std::size_t index, int* interfaceClass, std::uint32_t* member) {
    const std::vector<DemoDevice> devices = DemoDevices(TimeMode::Zero);
    if (index >= devices.size()) return false;
    *interfaceClass = devices[index].interfaceClass;
    *member = 0;
    for (std::size_t i = 0; i < index; ++i) {
        if (devices[i].interfaceClass == *interfaceClass) ++*member;
    }
    return true;
}

OpenStatus OpenDemo(const std::string& rest, const TargetContext& context, Target* target, std::string* error) {
    const std::size_t count = DemoDevices(TimeMode::Zero).size();
    const std::string range = "the demo set has demo:0 to demo:" + std::to_string(count - 1);
    if (rest.empty() || rest.size() > 3 || rest.find_first_not_of("0123456789") != std::string::npos) {
        *error = "demo:" + rest + " is no demo target (" + range + ")";
        return OpenStatus::Malformed;
    }
    int interfaceClass = 0;
    std::uint32_t member = 0;
    if (!DemoMember(std::stoul(rest), &interfaceClass, &member)) {
        *error = "no device demo:" + rest + " (" + range + ")";
        return OpenStatus::Unavailable;
    }
    if (context.demoPort == nullptr) {
        *error = "the demo set is not available here";
        return OpenStatus::Unavailable;
    }
    target->interfaceClass = interfaceClass;
    target->device = std::make_unique<Device>(context.demoPort);
    if (target->device->Open(interfaceClass, member) != 0) {
        *error = "demo:" + rest + " cannot be opened";
        return OpenStatus::Unavailable;
    }
    return OpenStatus::Opened;
}

void ListDemo(const TargetContext& context, std::vector<std::string>* names) {
    if (context.demoPort == nullptr) return;
    const std::size_t count = DemoDevices(TimeMode::Zero).size();
    for (std::size_t i = 0; i < count; ++i) names->push_back("demo:" + std::to_string(i));
}

}  // namespace

const TargetScheme kDemoScheme = {"demo:", false, OpenDemo, ListDemo};

}  // namespace sektra
