#pragma once

#include "support/FormatText.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ndlemo {

// Base of the program's own failures: a finished Czech message and a level on the request scale
// (256 and more is an error).
class ELevelException : public std::runtime_error {
public:
    ELevelException(int32_t level, const std::string& message) : std::runtime_error(message), Level(level) {}
    template <typename... Args>
    ELevelException(int32_t level, std::string_view format, const Args&... args)
        : ELevelException(level, FormatText(format, args...)) {}

    [[nodiscard]] std::string Message() const { return what(); }

    int32_t Level;
};

} // namespace ndlemo
