#include "device/Sense.h"

namespace sektra {

bool IsCleanCommand(int result, const std::uint8_t* sense) {
    return result == 0 && SenseKey(sense) == 0 && AdditionalSenseCode(sense) == 0 &&
           AdditionalSenseCodeQualifier(sense) == 0;
}

}  // namespace sektra
