#pragma once

#include <cstddef>

namespace ndlemo {

// Where a field of a record layout lies: its first column (1-based) and its width, both in characters.
struct TColumns {
    size_t From = 0;
    size_t Width = 0;
};

} // namespace ndlemo
