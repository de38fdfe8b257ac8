#pragma once
// A page-aligned buffer for transfers: VirtualAlloc on Windows, posix_memalign elsewhere.
// Data() is null when the allocation failed, and for a size of 0.
#include <cstddef>

namespace sektra {

class PageBuffer {
public:
    explicit PageBuffer(std::size_t size);
    ~PageBuffer();
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    void* Data() const { return data_; }
    std::size_t Size() const { return data_ ? size_ : 0; }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace sektra
