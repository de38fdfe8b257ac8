#pragma once
// The devices the runner can name, behind one seam: a target is text such as "demo:0",
// "\\.\PhysicalDrive1" or "iscsi://127.0.0.1:3260/iqn.2026-01.test:disk/1", and each kind is a
// scheme of the registry in Targets.cpp that opens it as a Device and can list what it offers.
#include <memory>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/DevicePort.h"

namespace sektra {

class EmulatedPort;

// What the schemes may need from the program: the port of the demo set (null: no demo set).
struct TargetContext {
    EmulatedPort* demoPort = nullptr;
};

// An opened target. The device lives on `ownPort` when the scheme made a port of its own for
// it, otherwise on a port the context lends. Members go in reverse order, so the device closes
// its handle before its port goes; a Target is neither copied nor assigned.
struct Target {
    Target() = default;
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    std::string name;
    int interfaceClass = 0;  // 0 disk, 1 CD-ROM, 6 medium changer
    std::unique_ptr<DevicePort> ownPort;
    std::unique_ptr<Device> device;
};

enum class OpenStatus {
    Opened,
    Malformed,    // the text names no target of any scheme this build has (usage)
    Unavailable,  // well formed, but there is no such device or it cannot be opened
};

// Opens `text` by the first scheme whose prefix it starts with; `error` says why not.
OpenStatus OpenTarget(const std::string& text, const TargetContext& context, Target* target, std::string* error);

// The targets every scheme can offer without being told more (the demo set; on Windows the
// drives that open), in scheme order.
std::vector<std::string> ListTargets(const TargetContext& context);

// One scheme. `rest` is the text after the prefix.
struct TargetScheme {
    const char* prefix;
    bool ignoreCase;  // Windows device paths
    OpenStatus (*open)(const std::string& rest, const TargetContext& context, Target* target, std::string* error);
    void (*list)(const TargetContext& context, std::vector<std::string>* names);  // may be null
};

// The schemes, each defined beside its own code.
extern const TargetScheme kDemoScheme;
extern const TargetScheme kFileScheme;
#if defined(_WIN32)
extern const TargetScheme kWindowsDriveScheme;
#endif
#if defined(SEKTRA_HAVE_ISCSI)
extern const TargetScheme kIscsiScheme;
#endif

}  // namespace sektra
