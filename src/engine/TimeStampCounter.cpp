#include "engine/TimeStampCounter.h"

#include "engine/SystemServices.h"

namespace sektra {

bool TimeStampCounterPresent() { return ProbeTimeStampCounter(); }

}  // namespace sektra
