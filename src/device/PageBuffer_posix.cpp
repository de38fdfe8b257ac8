#include "device/PageBuffer.h"

#include <cstdlib>
#include <cstring>

namespace sektra {

PageBuffer::PageBuffer(std::size_t size) : size_(size) {
    if (size == 0 || posix_memalign(&data_, 4096, size) != 0) {
        data_ = nullptr;
        return;
    }
    // Committed pages read as zeros on Windows; do the same here.
    std::memset(data_, 0, size);
}

PageBuffer::~PageBuffer() { std::free(data_); }

}  // namespace sektra
