#pragma once

#include <exception>

namespace ndlemo {

// The silent abort: ends a run that has already told the user everything. The error handler never shows it.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace ndlemo
