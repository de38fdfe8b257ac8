// Whatever text is given as an iSCSI URL and whatever bytes a unit sends back as INQUIRY data
// and VPD pages 80h and B0h: parsed, turned into the storage descriptors, never read or written
// outside a buffer (AddressSanitizer), and a URL that parses keeps the rules it was checked by.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "device/iscsi/IscsiDescriptors.h"
#include "device/iscsi/IscsiDevicePort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sektra;
    const std::string text(reinterpret_cast<const char*>(data), size);
    IscsiUrl url;
    std::string error;
    if (ParseIscsiUrl(text, &url, &error)) {
        if (url.host.empty() || url.targetIqn.empty() || url.port == 0 || url.lun > 16383) std::abort();
        if (url.targetIqn.find('/') != std::string::npos) std::abort();
    } else if (error.empty()) {
        std::abort();
    }

    IscsiIdentity identity;
    ParseStandardInquiry(data, size, &identity);
    identity.serialNumber = ParseSerialNumberPage(data, size);
    const std::uint32_t blocks = ParseMaximumTransferBlocks(data, size);
    const std::uint32_t blockLength = size >= 4 ? static_cast<std::uint32_t>(data[size - 1]) << 9 : 512;
    identity.maximumTransferLength = MaximumTransferBytes(blocks, blockLength, 1u << 20, 16u << 20);
    if (identity.maximumTransferLength > (16u << 20)) std::abort();
    IscsiDeviceDescriptor(identity);
    IscsiAdapterDescriptor(identity);
    return 0;
}
