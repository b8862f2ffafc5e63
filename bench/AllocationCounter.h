#pragma once

#include <cstdint>

namespace rafta::bench {

// Every operator new in the program so far, the host library's included.
[[nodiscard]] std::uint64_t allocations();

}  // namespace rafta::bench
