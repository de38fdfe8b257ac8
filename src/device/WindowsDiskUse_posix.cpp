#include "device/WindowsDiskUse.h"

namespace sektra {

WindowsDiskUse QueryWindowsDiskUse(Device&) { return WindowsDiskUse{}; }

}  // namespace sektra
