#pragma once

#include <optional>
#include <string_view>

namespace rafta::sim {

// A script number: decimal, optional sign, optional fraction ("-3", "+0.5", ".5", "2.").
// No exponent, hex, nan or infinity; nothing may follow.
[[nodiscard]] std::optional<double> parseDecimal(std::string_view text);

// Whether two texts hold the same value: as numbers when both read as finite numbers (any form
// the host writes, exponents included), otherwise byte for byte.
[[nodiscard]] bool sameValue(std::string_view expected, std::string_view found);

}  // namespace rafta::sim
