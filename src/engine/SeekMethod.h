#pragma once
// Whether a device's seek test times SEEK(10) or one-block reads ("access time"). SEEK(10) is
// obsolete: flash disks, USB bridges and the translation layers of SATA and NVMe disks refuse
// it, and its 32-bit address cannot reach the blocks of a disk above 2^32 blocks. Such a device
// gets the access-time test for the whole run, never a mix of the two. The device tree and the
// seek test both ask here, so the row's name and the figure always agree.
#include <cstdint>

namespace sektra {

class Device;

enum class SeekMethod {
    Seek,    // SEEK(10) to each position
    Access,  // a one-block READ from the medium at each position
};

// Asks the capacity and, when every block lies within 32 bits, sends one SEEK(10) to block 0.
SeekMethod ChooseSeekMethod(Device& device);

}  // namespace sektra
