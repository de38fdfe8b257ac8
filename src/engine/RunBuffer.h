#pragma once
// A page-aligned, zero-filled data buffer that a run owns from its start to its end, on every
// path out of the run.
#include <cstdint>

#include "engine/SystemServices.h"

namespace sektra {

class RunBuffer {
public:
    RunBuffer(SystemServices& services, std::uint64_t bytes)
        : services_(services), bytes_(bytes), data_(services.AllocatePages(bytes)) {}
    ~RunBuffer() { Release(); }
    RunBuffer(const RunBuffer&) = delete;
    RunBuffer& operator=(const RunBuffer&) = delete;

    void* Data() const { return data_; }
    void Release() {
        if (data_ != nullptr) services_.FreePages(data_, bytes_);
        data_ = nullptr;
    }

private:
    SystemServices& services_;
    std::uint64_t bytes_;
    void* data_;
};

}  // namespace sektra
