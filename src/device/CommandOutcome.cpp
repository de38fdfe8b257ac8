#include "device/CommandOutcome.h"

namespace sektra {

bool Clean(int result, const IoBuffer& io) { return IsCleanCommand(result, io.scsiStatus, io.sense); }

std::uint8_t RefusalSenseKey(const IoBuffer& io) { return SenseKey(io.sense); }

std::uint8_t RefusalAsc(const IoBuffer& io) { return AdditionalSenseCode(io.sense); }

}  // namespace sektra
