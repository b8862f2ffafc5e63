// A counting global operator new: the executable's definition also serves the host library, so
// the count covers both the plugin and the host.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> count{0};

void* allocate(std::size_t size) {
  count.fetch_add(1, std::memory_order_relaxed);
  // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): the allocator under operator new
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) {
    throw std::bad_alloc();
  }
  return memory;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  count.fetch_add(1, std::memory_order_relaxed);
  const auto align = static_cast<std::size_t>(alignment);
  // aligned_alloc wants a multiple of the alignment.
  const std::size_t rounded = (size + align - 1) / align * align;
  // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): the allocator under operator new
  void* memory = std::aligned_alloc(align, rounded == 0 ? align : rounded);
  if (memory == nullptr) {
    throw std::bad_alloc();
  }
  return memory;
}

// NOLINTNEXTLINE(cppcoreguidelines-no-malloc): the allocator under operator delete
void release(void* memory) noexcept { std::free(memory); }

}  // namespace

namespace rafta::bench {

std::uint64_t allocations() { return count.load(std::memory_order_relaxed); }

}  // namespace rafta::bench

// The replaceable forms, each routed to the counter.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  try {
    return allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  try {
    return allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t /*size*/) noexcept { release(memory); }
void operator delete(void* memory, std::align_val_t /*alignment*/) noexcept { release(memory); }
void operator delete[](void* memory, std::align_val_t /*alignment*/) noexcept { release(memory); }
void operator delete(void* memory, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
  release(memory);
}
void operator delete[](void* memory, std::size_t /*size*/,
                       std::align_val_t /*alignment*/) noexcept {
  release(memory);
}
void operator delete(void* memory, const std::nothrow_t& /*tag*/) noexcept { release(memory); }
void operator delete[](void* memory, const std::nothrow_t& /*tag*/) noexcept { release(memory); }
