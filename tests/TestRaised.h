#pragma once

#include "support/ESubroutineError.h"

#include <functional>
#include <string>

namespace ndlemo::test {

// The message of the user-facing failure the action raises; "" when it raises none. Any other exception goes on.
inline std::string Raised(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESubroutineError& e) {
        return e.what();
    }
    return "";
}

} // namespace ndlemo::test
