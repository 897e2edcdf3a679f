#pragma once

#include "support/ELevelException.h"

namespace ndlemo {

// Every failure that the user must read.
class ESubroutineError : public ELevelException {
public:
    explicit ESubroutineError(const std::string& message) : ELevelException(256, message) {}
    template <typename... Args>
    ESubroutineError(std::string_view format, const Args&... args)
        : ELevelException(256, FormatText(format, args...)) {}
};

} // namespace ndlemo
