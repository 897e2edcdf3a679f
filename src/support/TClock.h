#pragma once

#include "support/TDateTime.h"

#include <optional>

namespace ndlemo {

// "Now" and "today" of the program; tests fix them.
class TClock {
public:
    [[nodiscard]] static TDateTime Now();
    [[nodiscard]] static TDate Today() { return Now().Date(); }
    // Fixes the clock (nullopt returns to the system clock).
    static void SetNow(std::optional<TDateTime> fixed);
};

} // namespace ndlemo
