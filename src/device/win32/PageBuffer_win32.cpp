#include "device/PageBuffer.h"

#include <windows.h>

namespace sektra {

PageBuffer::PageBuffer(std::size_t size) : size_(size) {
    if (size != 0) data_ = VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE);
}

PageBuffer::~PageBuffer() {
    if (data_) VirtualFree(data_, 0, MEM_RELEASE);
}

}  // namespace sektra
