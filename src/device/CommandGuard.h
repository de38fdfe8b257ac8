#pragma once
// Commands Sektra never lets reach a device, whoever asks. FORMAT UNIT and SANITIZE destroy the
// medium; WRITE BUFFER in any mode but data (02h) downloads, saves or activates microcode on
// most drives, and on SATA and NVMe translation layers it becomes a firmware download. The
// benchmark only ever needs data mode, so Device refuses everything else before the port.
#include <cstdint>

namespace sektra {

bool IsPermittedCommand(const std::uint8_t* cdb, std::uint8_t cdbLength);

}  // namespace sektra
