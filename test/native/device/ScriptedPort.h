#pragma once
// A device port for tests: it records every request exactly as the Device sent it and answers
// with canned replies, keyed by SCSI opcode, storage property or the IDENTIFY request.
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "device/DevicePort.h"
#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"

namespace sektra::test {

struct Reply {
    bool ok = true;                  // false: the control call itself fails
    std::vector<std::uint8_t> data;  // data-in bytes, or the output buffer of other requests
    std::vector<std::uint8_t> sense;
    std::uint8_t scsiStatus = 0;
};

struct Call {
    PortHandle handle;
    std::uint32_t code;
    std::vector<std::uint8_t> in;  // the input bytes as sent
    std::uint32_t outSize;

    const ScsiRequest& Request() const { return *reinterpret_cast<const ScsiRequest*>(in.data()); }
    std::uint8_t Opcode() const { return Request().sptd.Cdb[0]; }
};

class ScriptedPort : public DevicePort {
public:
    // Members of each class, in order; false marks a member that exists but cannot be opened.
    std::map<int, std::vector<bool>> members;
    std::vector<Call> calls;
    std::vector<std::pair<int, std::uint32_t>> opens;  // every Open attempt
    std::vector<PortHandle> closed;

    // Replies are used in order; the last one keeps answering.
    void OnCommand(std::uint8_t opcode, Reply reply) { commands_[opcode].push_back(std::move(reply)); }
    void OnProperty(std::uint32_t propertyId, Reply reply) { properties_[propertyId].push_back(std::move(reply)); }
    void OnIdentify(Reply reply) { identify_.push_back(std::move(reply)); }
    void ClearReplies() {
        commands_.clear();
        properties_.clear();
        identify_.clear();
    }

    std::vector<const Call*> CallsWithOpcode(std::uint8_t opcode) const {
        std::vector<const Call*> found;
        for (const Call& call : calls)
            if (call.code == kIoctlScsiPassThroughDirect && call.Opcode() == opcode) found.push_back(&call);
        return found;
    }

    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override {
        opens.emplace_back(interfaceClass, memberIndex);
        auto it = members.find(interfaceClass);
        if (it == members.end() || memberIndex >= it->second.size() || !it->second[memberIndex])
            return kInvalidPortHandle;
        return 1000 * (interfaceClass + 1) + memberIndex;
    }

    bool Control(PortHandle handle, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override {
        const auto* bytes = static_cast<const std::uint8_t*>(in);
        calls.push_back({handle, code, std::vector<std::uint8_t>(bytes, bytes + inSize), outSize});
        *returned = 0;
        if (code == kIoctlScsiPassThroughDirect) {
            auto* request = static_cast<ScsiRequest*>(in);
            const Reply reply = Next(commands_[request->sptd.Cdb[0]]);
            if (!reply.ok) return false;
            ScsiPassThroughDirect& sptd = request->sptd;
            if (sptd.DataIn == kScsiIoctlDataIn) {
                const std::size_t moved = sptd.DataBuffer ? Smaller(reply.data.size(), sptd.DataTransferLength) : 0;
                Copy(sptd.DataBuffer, reply.data.data(), moved);
                // As Windows does: DataTransferLength comes back as the bytes really moved.
                sptd.DataTransferLength = static_cast<std::uint32_t>(moved);
            }
            if (sptd.SenseInfoOffset <= inSize)
                Copy(static_cast<std::uint8_t*>(in) + sptd.SenseInfoOffset, reply.sense.data(),
                            Smaller(Smaller(reply.sense.size(), sptd.SenseInfoLength), inSize - sptd.SenseInfoOffset));
            sptd.ScsiStatus = reply.scsiStatus;
            *returned = outSize;
            return true;
        }
        Reply reply;
        if (code == kIoctlStorageQueryProperty) {
            StoragePropertyQuery query;
            std::memcpy(&query, in, sizeof(query));
            reply = Next(properties_[query.PropertyId]);
        } else if (code == kSmartRcvDriveData) {
            reply = Next(identify_);
        } else {
            return false;
        }
        if (!reply.ok) return false;
        const std::size_t n = Smaller(reply.data.size(), outSize);
        Copy(out, reply.data.data(), n);
        *returned = static_cast<std::uint32_t>(n);
        return true;
    }

    void Close(PortHandle handle) override { closed.push_back(handle); }

private:
    static std::size_t Smaller(std::size_t a, std::size_t b) { return a < b ? a : b; }
    static void Copy(void* to, const std::uint8_t* from, std::size_t n) {
        if (n) std::memcpy(to, from, n);
    }
    static Reply Next(std::deque<Reply>& queue) {
        if (queue.empty()) return Reply{};
        Reply reply = queue.front();
        if (queue.size() > 1) queue.pop_front();
        return reply;
    }

    std::map<std::uint8_t, std::deque<Reply>> commands_;
    std::map<std::uint32_t, std::deque<Reply>> properties_;
    std::deque<Reply> identify_;
};

// Canned replies.
inline Reply Failure() { return Reply{false, {}, {}, 0}; }

// CHECK CONDITION with fixed-format sense data.
inline Reply CheckCondition(std::uint8_t key, std::uint8_t asc, std::uint8_t ascq) {
    std::vector<std::uint8_t> sense(18, 0);
    sense[0] = 0x70;
    sense[2] = key;
    sense[7] = 10;
    sense[12] = asc;
    sense[13] = ascq;
    return Reply{true, {}, sense, 0x02};
}

inline Reply Data(std::vector<std::uint8_t> bytes) { return Reply{true, std::move(bytes), {}, 0}; }

// Standard INQUIRY data with the texts copied as given (callers pad them).
inline Reply InquiryData(std::uint8_t peripheral, const std::string& vendor8,
                         const std::string& product16, const std::string& revision4) {
    std::vector<std::uint8_t> data(36, 0);
    data[0] = peripheral;
    data[4] = 31;
    std::memcpy(&data[8], vendor8.data(), vendor8.size() < 8 ? vendor8.size() : 8);
    std::memcpy(&data[16], product16.data(), product16.size() < 16 ? product16.size() : 16);
    std::memcpy(&data[32], revision4.data(), revision4.size() < 4 ? revision4.size() : 4);
    return Data(data);
}

// A device descriptor of `size` bytes with the serial text (if any) placed at serialOffset.
inline Reply DeviceDescriptor(std::uint32_t busType, std::uint32_t serialOffset = 0,
                              const std::string& serial = "", std::size_t size = 64) {
    StorageDeviceDescriptor descriptor = {};
    descriptor.Version = sizeof(descriptor);
    descriptor.Size = static_cast<std::uint32_t>(size);
    descriptor.BusType = busType;
    descriptor.SerialNumberOffset = serialOffset;
    std::vector<std::uint8_t> data(size, 0);
    std::memcpy(data.data(), &descriptor, sizeof(descriptor));
    if (!serial.empty()) std::memcpy(&data[serialOffset], serial.data(), serial.size());
    return Data(data);
}

inline Reply AdapterDescriptor(std::uint32_t maximumTransferLength, std::uint32_t maximumPhysicalPages) {
    StorageAdapterDescriptor adapter = {};
    adapter.Version = adapter.Size = sizeof(adapter);
    adapter.MaximumTransferLength = maximumTransferLength;
    adapter.MaximumPhysicalPages = maximumPhysicalPages;
    std::vector<std::uint8_t> data(sizeof(adapter));
    std::memcpy(data.data(), &adapter, sizeof(adapter));
    return Data(data);
}

}  // namespace sektra::test
