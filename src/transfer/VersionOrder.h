#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ndlemo {

// A program version as four numbers ("2.1.0.15"): trimmed, exactly four runs of decimal digits joined by ".",
// each within 32 bits. None for any other text.
[[nodiscard]] std::optional<std::array<uint32_t, 4>> ParseVersionNumbers(std::string_view text);

// Whether the version is lower than the minimum, comparing number by number from the first. False when either is
// no version of four numbers: nothing can be said then.
[[nodiscard]] bool IsVersionBelow(std::string_view version, std::string_view minimum);

} // namespace ndlemo
