#include "engine/VirtualSystemServices.h"

namespace sektra {

void* VirtualSystemServices::AllocatePages(std::uint64_t bytes) {
    if (failAllocations_.load(std::memory_order_relaxed)) return nullptr;
    void* pages = GetSystemServices().AllocatePages(bytes);
    if (pages != nullptr) outstanding_.fetch_add(1, std::memory_order_relaxed);
    return pages;
}

void VirtualSystemServices::FreePages(void* pages, std::uint64_t bytes) {
    if (pages == nullptr) return;
    outstanding_.fetch_sub(1, std::memory_order_relaxed);
    GetSystemServices().FreePages(pages, bytes);
}

}  // namespace sektra
