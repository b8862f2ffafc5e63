#pragma once

#include <cstdint>

namespace rafta::sim {

// A wrapper handle's address back to the host object it names; null for a null handle.
template <typename T>
[[nodiscard]] T* objectAt(std::uintptr_t address) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr): handles are addresses
  return reinterpret_cast<T*>(address);
}

template <typename T>
[[nodiscard]] std::uintptr_t addressOfObject(const T* object) {
  return reinterpret_cast<std::uintptr_t>(object);
}

}  // namespace rafta::sim
